#include "platform/gui_runtime.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <climits>
#include <vector>

#include "platform/codepage.h"
#include "platform/gui_form_window.h"
#include "platform/thread.h"
#include "platform/window_thread.h"

namespace {

thread_local int t_oleCount = 0;

std::vector<gui::Procedure>& ExitList() {
  static std::vector<gui::Procedure> list;
  return list;
}

std::vector<QPointer<gui::FormWindow>>& LoadedWindows() {
  static std::vector<QPointer<gui::FormWindow>> windows;
  return windows;
}

bool g_quitting = false;
bool g_inLoop = false;

void RequestQuit() {
  g_quitting = true;
  // Outside the loop there is nothing to end; the loop is then not entered.
  if (g_inLoop) QCoreApplication::exit(0);
}

}  // namespace

HRESULT OleInitialize(void*) { return t_oleCount++ == 0 ? S_OK : S_FALSE; }

void OleUninitialize() {
  if (t_oleCount > 0) --t_oleCount;
}

DWORD GetTickCount() {
  using namespace std::chrono;
  static const steady_clock::time_point start = steady_clock::now();
  auto ms = duration_cast<milliseconds>(steady_clock::now() - start).count();
  return static_cast<DWORD>(ms);
}

namespace gui {

bool IsOleInitialized() { return t_oleCount > 0; }

namespace detail {

void AddLoadedWindow(FormWindow* window) { LoadedWindows().emplace_back(window); }

void RemoveLoadedWindow(FormWindow* window) {
  auto& windows = LoadedWindows();
  std::erase_if(windows, [window](const QPointer<FormWindow>& w) { return !w || w == window; });
  if (windows.empty()) RequestQuit();
}

}  // namespace detail

struct Runtime::State {
  int argc;
  std::unique_ptr<QApplication> app;
  bool shutDown = false;
};

Runtime::Runtime(int argc, char** argv) : m_state(std::make_unique<State>()) {
  m_state->argc = argc;
  // QApplication keeps a reference to the count, hence the copy in State.
  m_state->app = std::make_unique<QApplication>(m_state->argc, argv);
  // The loop ends with our loaded windows, not with dialogs or other windows.
  QGuiApplication::setQuitOnLastWindowClosed(false);
  OleInitialize(nullptr);
}

Runtime::~Runtime() {
  ShutDown();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

int Runtime::RunMessageLoop() {
  int code = 0;
  if (!g_quitting && !LoadedWindows().empty()) {
    g_inLoop = true;
    code = QApplication::exec();
    g_inLoop = false;
  }
  ShutDown();
  return code;
}

void Runtime::ShutDown() {
  if (m_state->shutDown) return;
  m_state->shutDown = true;
  g_quitting = true;
  window_thread::Shutdown();
  std::vector<QPointer<FormWindow>> remaining = LoadedWindows();
  for (auto& window : remaining) {
    if (window) window->Destroy();
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  std::vector<Procedure> procedures;
  procedures.swap(ExitList());
  for (Procedure procedure : procedures) procedure();
  OleUninitialize();
}

void Runtime::Restart() {
  if (!m_state->shutDown) return;
  m_state->shutDown = false;
  g_quitting = false;
  window_thread::Restart();
  thread_layer::EndProcessExitForTests();
  OleInitialize(nullptr);
}

void AtExit(Procedure procedure) {
  auto& list = ExitList();
  if (!procedure || std::find(list.begin(), list.end(), procedure) != list.end()) return;
  list.push_back(procedure);
}

bool IsQuitting() { return g_quitting; }

void ProcessPendingMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void WaitWithMessagePump(int milliseconds) {
  if (milliseconds <= 0) return;
  const DWORD start = GetTickCount();
  const DWORD limit = static_cast<DWORD>(milliseconds);
  // Wakes the blocking dispatch when the time is up and nothing else came.
  QTimer wake;
  wake.setSingleShot(true);
  wake.setTimerType(Qt::PreciseTimer);
  wake.start(std::min(milliseconds, INT_MAX - 1) + 1);
  for (;;) {
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    if (g_quitting || GetTickCount() - start > limit) return;
    if (!wake.isActive()) wake.start(1);
  }
}

Text ProgramFolder() {
  return Utf16ToGbk(QCoreApplication::applicationDirPath().toStdU16String());
}

}  // namespace gui
