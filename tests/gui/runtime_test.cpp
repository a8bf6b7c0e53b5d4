// The runtime's session: exit list, loop end, waits, OLE.
#include <QCoreApplication>
#include <QMetaObject>
#include <QTimer>

#include <string>
#include <thread>
#include <vector>

#include "gui/session.h"
#include "gui/test_form.h"
#include "platform/gui_runtime.h"
#include "platform/window_thread.h"

namespace {

std::vector<std::string> g_trace;
bool g_callsFailedAtExit = false;

void ExitA() {
  g_trace.push_back("A");
  g_callsFailedAtExit = !window_thread::Call([] {});
}
void ExitB() { g_trace.push_back("B"); }

class RuntimeTest : public SessionTest {
 protected:
  void SetUp() override { g_trace.clear(); }
};

TEST_F(RuntimeTest, ExitListRunsOnceInRegistrationOrderAfterTheLoop) {
  TestWindow w;
  ASSERT_TRUE(w.Load(TestForm()));
  gui::AtExit(ExitA);
  gui::AtExit(ExitB);
  gui::AtExit(ExitA);  // listed already: adds nothing
  QTimer::singleShot(0, [&] {
    g_trace.push_back("loop");
    w.window.Close();
  });
  TestRuntime().RunMessageLoop();
  EXPECT_EQ(g_trace, (std::vector<std::string>{"loop", "A", "B"}));
  EXPECT_TRUE(g_callsFailedAtExit) << "window calls must fail once the loop has ended";
  TestRuntime().ShutDown();  // a second shut-down runs nothing again
  EXPECT_EQ(g_trace.size(), 3u);
}

TEST_F(RuntimeTest, LoopEndsWithTheLastLoadedWindowOnly) {
  TestWindow first, second;
  ASSERT_TRUE(first.Load(TestForm()));
  ASSERT_TRUE(second.Load(TestForm()));
  first.window.Close();
  EXPECT_FALSE(gui::IsQuitting());
  EXPECT_FALSE(first.window.Exists());
  EXPECT_TRUE(second.window.Exists());
  QTimer::singleShot(0, [&] { second.window.Close(); });
  TestRuntime().RunMessageLoop();  // returns: the test would hang otherwise
  EXPECT_TRUE(gui::IsQuitting());
}

TEST_F(RuntimeTest, ShutDownDestroysWindowsStillLoadedAndEndsOle) {
  TestWindow w;
  ASSERT_TRUE(w.Load(TestForm()));
  EXPECT_TRUE(gui::IsOleInitialized());
  TestRuntime().ShutDown();
  EXPECT_FALSE(w.window.Exists());
  EXPECT_FALSE(gui::IsOleInitialized());
  TestRuntime().Restart();
  EXPECT_TRUE(gui::IsOleInitialized());
  EXPECT_FALSE(gui::IsQuitting());
}

TEST_F(RuntimeTest, OleCountsPerThread) {
  EXPECT_EQ(OleInitialize(nullptr), S_FALSE);  // the runtime did the first
  OleUninitialize();
  EXPECT_TRUE(gui::IsOleInitialized());
}

TEST(WaitWithMessagePump, ZeroOrLessReturnsWithoutDispatching) {
  for (int ms : {0, -1, -1000}) {
    bool ran = false;
    QMetaObject::invokeMethod(QCoreApplication::instance(), [&] { ran = true; }, Qt::QueuedConnection);
    gui::WaitWithMessagePump(ms);
    EXPECT_FALSE(ran) << ms;
    gui::ProcessPendingMessages();
    EXPECT_TRUE(ran) << ms;
  }
}

TEST(WaitWithMessagePump, DispatchesWhileWaitingAndLastsAtLeastTheTime) {
  int ticks = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
  timer.start(10);
  const DWORD start = GetTickCount();
  gui::WaitWithMessagePump(150);
  const DWORD elapsed = GetTickCount() - start;
  EXPECT_GT(elapsed, 150u);
  EXPECT_GE(ticks, 2) << "the wait must keep dispatching";
}

TEST_F(RuntimeTest, ClosingTheWindowEndsAWaitEarly) {
  TestWindow w;
  ASSERT_TRUE(w.Load(TestForm()));
  QTimer::singleShot(20, [&] { w.window.Close(); });
  const DWORD start = GetTickCount();
  gui::WaitWithMessagePump(60000);
  EXPECT_TRUE(gui::IsQuitting());
  EXPECT_LT(GetTickCount() - start, 30000u) << "a closed window must not keep the wait going";
}

TEST(Runtime, LoadingFromAnotherThreadOrAfterShutDownFails) {
  TestWindow w;
  bool loaded = true;
  std::thread([&] { loaded = gui::LoadWindow(TestForm(), w.window, {&w.drop, &w.timer, &w.button, &w.box}); })
      .join();
  EXPECT_FALSE(loaded);
  TestRuntime().ShutDown();
  EXPECT_FALSE(w.Load(TestForm()));
  TestRuntime().Restart();
}

TEST(Runtime, ComponentsThatDoNotMatchTheFormLoadNothing) {
  gui::Window window;
  gui::Timer timer;
  gui::Button button;
  gui::EditBox box;
  gui::DropTarget drop;
  gui::WindowForm form = TestForm();
  EXPECT_FALSE(gui::LoadWindow(form, window, {&drop, &timer, &button}));          // too few
  EXPECT_FALSE(gui::LoadWindow(form, window, {&drop, &timer, &box, &button}));    // wrong kinds
  EXPECT_EQ(window.Handle(), nullptr);
}

TEST(Runtime, ProgramFolderIsTheTestProgramsFolder) {
  Text folder = gui::ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), '/');
  EXPECT_NE(folder.find("tests"), Text::npos) << folder;
}

}  // namespace
