#pragma once
// Loading a window from its form.
#include <initializer_list>

#include "platform/gui_components.h"
#include "platform/gui_form.h"

namespace gui {

// On the window thread: builds the window and its components, binds them to
// window and components (given in the form's order) and the form's handlers
// to their events, runs the form's creation-completed handler once all
// components exist, then shows the window. No event reaches a handler while
// this runs; timers tick from their creation on. False, building nothing,
// when the components do not match the form or the runtime is shut down.
bool LoadWindow(const WindowForm& form, Window& window,
                std::initializer_list<Component*> components);

}  // namespace gui
