#include "app/load_control.h"

#include "app/globals.h"
#include "app/main_window.h"
#include "extract/load_question_file.h"
#include "platform/codepage.h"
#include "platform/gui_runtime.h"
#include "platform/window_thread.h"

namespace {

constexpr int kWaitSlice = 1000;

// Set while a tick waits for the worker: further ticks return at once, so
// waits do not pile up on the window thread's stack while a worker lives.
bool g_tickWaiting = false;

const Text& PauseCaption() {
  static const Text caption = Utf16ToGbk(u"暂停");
  return caption;
}

const Text& ResumeCaption() {
  static const Text caption = Utf16ToGbk(u"恢复");
  return caption;
}

void SetPauseButtonCaption(const Text& caption) {
  if (MainWindow* window = TheMainWindow()) window->按钮2.SetCaption(caption);
}

// Waits in slices while the worker named by g_workerThread (read afresh each
// time) runs; gives false when the window closed meanwhile.
bool WaitForWorker() {
  while (IsThreadRunning(g_workerThread) == 1) {
    if (gui::IsQuitting()) return false;
    gui::WaitWithMessagePump(kWaitSlice);
  }
  return !gui::IsQuitting();
}

// The worker's view of the window's output box. The window is looked up on
// the window thread, the only one that creates and destroys it; once it is
// gone, or the runtime has shut down, the calls do nothing.
class WindowOutputBox : public OutputBox {
 public:
  void SetContent(const Text& text) override {
    window_thread::Call([&] {
      if (MainWindow* window = TheMainWindow()) window->编辑框2.SetContent(text);
    });
  }
  void Append(const Text& text) override {
    window_thread::Call([&] {
      if (MainWindow* window = TheMainWindow()) window->编辑框2.Append(text);
    });
  }
};

}  // namespace

int StartThread(LPTHREAD_START_ROUTINE entry, int parameter, HANDLE& handle, int keep, DWORD& threadId) {
  handle = CreateThread(nullptr, 0, entry, reinterpret_cast<void*>(static_cast<std::intptr_t>(parameter)), 0,
                        &threadId);
  if (!keep && handle) CloseHandle(handle);
  return handle ? 1 : 0;
}

int IsThreadRunning(HANDLE thread) {
  DWORD r = WaitForSingleObject(thread, 0);
  if (r == WAIT_TIMEOUT) return 1;
  if (r == WAIT_FAILED) return -1;
  return static_cast<int>(r);
}

DWORD WorkerEntry(void*) {
  WindowOutputBox box;
  LoadQuestionFile(*g_dialog, *g_json, box);
  return 0;
}

void OnLoadClicked() {
  if (g_workerThread && !WaitForWorker()) return;
  // The old worker has ended: its handle is closed here rather than lost.
  if (g_workerThread) CloseHandle(g_workerThread);
  DWORD threadId = 0;
  StartThread(WorkerEntry, 0, g_workerThread, 1, threadId);
  g_isRunning = 1;
}

void OnPauseClicked() {
  if (!g_workerThread) return;
  if (g_isRunning) {
    SuspendThread(g_workerThread);
    g_isRunning = 0;
    SetPauseButtonCaption(ResumeCaption());
  } else {
    ResumeThread(g_workerThread);
    g_isRunning = 1;
    SetPauseButtonCaption(PauseCaption());
  }
}

void OnTimerTick() {
  if (!g_workerThread || g_tickWaiting) return;
  g_tickWaiting = true;
  bool windowOpen = WaitForWorker();
  g_tickWaiting = false;
  if (!windowOpen) return;
  if (g_workerThread) CloseHandle(g_workerThread);
  g_workerThread = nullptr;
  SetPauseButtonCaption(PauseCaption());
}

void StopWorkerForExit() {
  thread_layer::BeginProcessExit();
  if (!g_workerThread) return;
  WaitForSingleObject(g_workerThread, INFINITE);
  CloseHandle(g_workerThread);
  g_workerThread = nullptr;
}
