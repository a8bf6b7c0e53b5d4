// Calls from a worker thread: carried out by the window thread inside its
// waits; released at once after shut-down.
#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "gui/session.h"
#include "gui/test_form.h"

namespace {

using CrossThreadTest = SessionTest;

TEST_F(CrossThreadTest, WorkerChangesTheBoxWhileTheWindowThreadWaits) {
  TestWindow w;
  ASSERT_TRUE(w.Load(TestForm()));
  w.box.SetContent("old");
  std::atomic<bool> done = false;
  Text seenByWorker;
  std::thread worker([&] {
    w.box.SetContent("");
    for (int i = 0; i < 50; ++i) w.box.Append(std::to_string(i) + "\r\n");
    w.button.SetCaption("\xBB\xD6\xB8\xB4");
    seenByWorker = w.box.Content();
    done = true;
  });
  for (int i = 0; i < 200 && !done; ++i) gui::WaitWithMessagePump(50);
  worker.join();
  ASSERT_TRUE(done);
  Text expected;
  for (int i = 0; i < 50; ++i) expected += std::to_string(i) + "\r\n";
  EXPECT_EQ(w.box.Content(), expected);
  EXPECT_EQ(seenByWorker, expected);
  EXPECT_EQ(w.button.Caption(), "\xBB\xD6\xB8\xB4");
}

TEST_F(CrossThreadTest, AfterShutDownAWorkersCallsReturnAtOnce) {
  TestWindow w;
  ASSERT_TRUE(w.Load(TestForm()));
  TestRuntime().ShutDown();
  auto call = std::async(std::launch::async, [&] {
    w.box.Append("late");
    w.box.SetContent("late");
    return w.box.Content();
  });
  // Nothing dispatches here: a call that waited for the window thread would hang.
  ASSERT_EQ(call.wait_for(std::chrono::seconds(10)), std::future_status::ready);
  EXPECT_EQ(call.get(), "");
}

TEST_F(CrossThreadTest, AWorkerWaitingWhenTheLoopEndsIsReleased) {
  TestWindow w;
  ASSERT_TRUE(w.Load(TestForm()));
  std::promise<void> started;
  auto call = std::async(std::launch::async, [&] {
    started.set_value();
    w.box.Append("never shown");  // waits: the window thread is not dispatching
  });
  started.get_future().wait();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  TestRuntime().ShutDown();
  EXPECT_EQ(call.wait_for(std::chrono::seconds(10)), std::future_status::ready);
}

}  // namespace
