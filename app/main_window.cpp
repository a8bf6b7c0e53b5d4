#include "app/main_window.h"

#include "platform/gui_builder.h"

namespace {

MainWindow* g_mainWindow = nullptr;

}  // namespace

MainWindow::MainWindow() { g_mainWindow = this; }

MainWindow::~MainWindow() {
  if (g_mainWindow == this) g_mainWindow = nullptr;
}

bool MainWindow::Load() {
  return gui::LoadWindow(MainWindowForm(), m_window, {&拖放对象1, &时钟1, &按钮2, &编辑框2, &按钮1});
}

MainWindow* TheMainWindow() { return g_mainWindow; }
