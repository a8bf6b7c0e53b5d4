#pragma once
// A loaded window and its components, as the program's code sees them.
// Every operation may be called from any thread: a call from another thread
// is carried out by the window thread while the caller waits. Once the
// window is destroyed (or the runtime has shut down) they do nothing and
// getters give empty results.
#include "platform/gui_form.h"
#include "platform/output_box.h"
#include "platform/text.h"
#include "platform/win_types.h"

namespace gui {

struct ComponentBinder;

class Window {
 public:
  HWND Handle() const { return m_handle; }
  bool Exists() const;
  void SetCaption(const Text& caption);
  Text Caption() const;
  // As the close button does: the window is destroyed.
  void Close();

 private:
  friend struct ComponentBinder;
  HWND m_handle = nullptr;
};

class Component {
 public:
  virtual ~Component() = default;
  virtual ComponentKind Kind() const = 0;
  HWND Handle() const { return m_handle; }

 private:
  friend struct ComponentBinder;
  HWND m_handle = nullptr;
};

class Button : public Component {
 public:
  ComponentKind Kind() const override { return ComponentKind::Button; }
  void SetCaption(const Text& caption);
  Text Caption() const;
};

class EditBox : public Component, public OutputBox {
 public:
  ComponentKind Kind() const override { return ComponentKind::EditBox; }
  void SetContent(const Text& text) override;
  // Caret after the last character, scrolled into view, the text inserted
  // there as the replacement of the empty selection; no undo step.
  void Append(const Text& text) override;
  // Line breaks read as "\r\n".
  Text Content() const;
};

class Timer : public Component {
 public:
  ComponentKind Kind() const override { return ComponentKind::Timer; }
};

class DropTarget : public Component {
 public:
  ComponentKind Kind() const override { return ComponentKind::DropTarget; }
  // False, doing nothing, when already bound to a window; otherwise binds
  // to this one and gives whether the window now takes drops.
  bool RegisterDropTarget(HWND window);
  HWND BoundWindow() const { return m_boundWindow; }

 private:
  HWND m_boundWindow = nullptr;
};

}  // namespace gui
