#include "app/startup.h"

#include <algorithm>
#include <vector>

#include "app/globals.h"
#include "app/load_control.h"
#include "app/main_window.h"
#include "dialogs/common_dialog.h"
#include "json/json_object.h"

namespace {

std::vector<gui::Procedure>& BeforeRelease() {
  static std::vector<gui::Procedure> procedures;
  return procedures;
}

}  // namespace

void InitGlobals() {
  g_dialog = std::make_unique<CommonDialog>();
  g_json = std::make_unique<JsonObject>();
}

void ReleaseGlobals() {
  for (gui::Procedure procedure : BeforeRelease()) procedure();
  g_dialog.reset();
  g_json.reset();
}

void RegisterBeforeRelease(gui::Procedure procedure) {
  auto& list = BeforeRelease();
  if (!procedure || std::find(list.begin(), list.end(), procedure) != list.end()) return;
  list.push_back(procedure);
}

void OnWindowCreated() {
  g_isRunning = 1;
  MainWindow* window = TheMainWindow();
  if (!window) return;
  // A failed binding only means the window takes no drops.
  window->拖放对象1.RegisterDropTarget(window->Handle());
}

void OnTextDropped(const Text&) {}
void OnFilesDropped(const Text&) {}

int RunSession(gui::Runtime& runtime) {
  InitGlobals();
  RegisterBeforeRelease(StopWorkerForExit);
  gui::AtExit(ReleaseGlobals);
  MainWindow window;
  if (!window.Load()) {
    runtime.ShutDown();
    return 1;
  }
  return runtime.RunMessageLoop();
}

int RunProgram(int argc, char** argv) {
  gui::Runtime runtime(argc, argv);
  return RunSession(runtime);
}
