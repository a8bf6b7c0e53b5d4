#pragma once
// A small window of the main window's kind for the runtime's tests: a drop
// target, a timer, a button and a read-only output box.
#include "platform/gui_builder.h"
#include "platform/gui_components.h"
#include "platform/gui_form.h"

struct TestWindow {
  gui::Window window;
  gui::DropTarget drop;
  gui::Timer timer;
  gui::Button button;
  gui::EditBox box;

  bool Load(const gui::WindowForm& form) {
    return gui::LoadWindow(form, window, {&drop, &timer, &button, &box});
  }
};

inline gui::WindowForm TestForm() {
  gui::WindowForm form{.name = "TestWindow",
                       .caption = "Test",
                       .width = 400,
                       .height = 300,
                       .style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX};
  form.components = {
      {.name = "drop", .kind = gui::ComponentKind::DropTarget},
      {.name = "timer", .kind = gui::ComponentKind::Timer, .interval = 0},
      {.name = "button", .kind = gui::ComponentKind::Button, .caption = "OK", .left = 4, .top = 4,
       .width = 64, .height = 32, .style = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
      {.name = "box", .kind = gui::ComponentKind::EditBox, .left = 72, .top = 0, .width = 320,
       .height = 280,
       .style = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                ES_WANTRETURN | ES_READONLY,
       .exStyle = WS_EX_CLIENTEDGE},
  };
  return form;
}
