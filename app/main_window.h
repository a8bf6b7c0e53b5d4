#pragma once
// The program's only window and its components, built from its form.
#include "platform/gui_components.h"
#include "platform/gui_form.h"

class MainWindow {
 public:
  MainWindow();
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Builds the window from its form; runs OnWindowCreated, then shows it.
  bool Load();
  HWND Handle() const { return m_window.Handle(); }
  gui::Window& Frame() { return m_window; }

  // In the form's order, which is the stacking order, first on top.
  gui::DropTarget 拖放对象1;
  gui::Timer 时钟1;
  gui::Button 按钮2;
  gui::EditBox 编辑框2;
  gui::Button 按钮1;

 private:
  gui::Window m_window;
};

// The main window while the object exists, else null. Its components do
// nothing once the window itself has been destroyed.
MainWindow* TheMainWindow();

// The form: the window and its components with all their settings.
const gui::WindowForm& MainWindowForm();
