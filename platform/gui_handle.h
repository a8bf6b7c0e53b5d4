#pragma once
// Handles for the runtime's windows, controls and other screen objects, as
// window handles are on Windows: a handle outlives its object and then names
// nothing. Window thread only.
#include "platform/win_types.h"

class QObject;
class QWidget;

namespace gui {

// The object's handle, made on first request.
HWND HandleOf(QObject* object);

// The object a handle names; null when it is gone or has been forgotten.
QObject* ObjectOf(HWND handle);
QWidget* WidgetOf(HWND handle);

// From now on the handle names nothing (the window was destroyed).
void ForgetHandle(HWND handle);

// The same for an object and every object below it that has a handle.
void ForgetHandles(QObject* root);

}  // namespace gui
