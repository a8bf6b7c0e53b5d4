#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/thread.h"

namespace {

using namespace std::chrono_literals;

// A worker that counts its steps, passing a suspension point before each.
struct Stepper {
  std::atomic<int> steps{0};
  std::atomic<bool> stop{false};
  std::atomic<bool> exited{false};

  static DWORD Run(void* p) {
    auto* self = static_cast<Stepper*>(p);
    while (!self->stop) {
      thread_layer::SuspensionPoint();
      ++self->steps;
      std::this_thread::sleep_for(1ms);
    }
    self->exited = true;
    return 0;
  }

  void WaitForSteps(int atLeast) const {
    while (steps < atLeast) std::this_thread::sleep_for(1ms);
  }
};

DWORD StoreParameter(void* p) {
  *static_cast<int*>(p) = 42;
  return 0;
}

TEST(Threads, RunsTheRoutineWithItsParameter) {
  int seen = 0;
  DWORD id = 0;
  HANDLE h = CreateThread(nullptr, 0, StoreParameter, &seen, 0, &id);
  ASSERT_NE(h, nullptr);
  EXPECT_NE(id, 0u);
  EXPECT_EQ(WaitForSingleObject(h, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(seen, 42);
  // The handle still names the ended thread until it is closed.
  EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_OBJECT_0);
  EXPECT_EQ(CloseHandle(h), TRUE);
}

TEST(Threads, BadHandlesFail) {
  EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
  EXPECT_EQ(SuspendThread(nullptr), WAIT_FAILED);
  EXPECT_EQ(ResumeThread(nullptr), WAIT_FAILED);
  EXPECT_EQ(CloseHandle(nullptr), FALSE);
  EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);

  int seen = 0;
  HANDLE h = CreateThread(nullptr, 0, StoreParameter, &seen, 0, nullptr);
  ASSERT_EQ(WaitForSingleObject(h, INFINITE), WAIT_OBJECT_0);
  ASSERT_EQ(CloseHandle(h), TRUE);
  EXPECT_EQ(CloseHandle(h), FALSE);
  EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_FAILED);
}

TEST(Threads, TimeoutWhileRunning) {
  Stepper s;
  HANDLE h = CreateThread(nullptr, 0, Stepper::Run, &s, 0, nullptr);
  EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_TIMEOUT);
  EXPECT_EQ(WaitForSingleObject(h, 10), WAIT_TIMEOUT);
  s.stop = true;
  EXPECT_EQ(WaitForSingleObject(h, INFINITE), WAIT_OBJECT_0);
  CloseHandle(h);
}

TEST(Threads, SuspendStopsAtTheNextPointAndResumeGoesOn) {
  Stepper s;
  HANDLE h = CreateThread(nullptr, 0, Stepper::Run, &s, 0, nullptr);
  s.WaitForSteps(3);
  EXPECT_EQ(SuspendThread(h), 0u);
  EXPECT_EQ(SuspendThread(h), 1u);
  // At most the step in progress completes; then the count stays put.
  std::this_thread::sleep_for(20ms);
  int frozen = s.steps;
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(s.steps, frozen);

  EXPECT_EQ(ResumeThread(h), 2u);
  std::this_thread::sleep_for(20ms);
  EXPECT_EQ(s.steps, frozen) << "one resume of two suspends keeps it stopped";
  EXPECT_EQ(ResumeThread(h), 1u);
  s.WaitForSteps(frozen + 3);
  EXPECT_EQ(ResumeThread(h), 0u) << "resuming a running thread changes nothing";

  s.stop = true;
  EXPECT_EQ(WaitForSingleObject(h, INFINITE), WAIT_OBJECT_0);
  CloseHandle(h);
}

TEST(Threads, CreatedSuspendedStartsOnResume) {
  int seen = 0;
  HANDLE h = CreateThread(nullptr, 0, StoreParameter, &seen, CREATE_SUSPENDED, nullptr);
  EXPECT_EQ(WaitForSingleObject(h, 30), WAIT_TIMEOUT);
  EXPECT_EQ(seen, 0);
  EXPECT_EQ(ResumeThread(h), 1u);
  EXPECT_EQ(WaitForSingleObject(h, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(seen, 42);
  CloseHandle(h);
}

TEST(Threads, ProcessExitReleasesSuspendedThreads) {
  Stepper s;
  HANDLE h = CreateThread(nullptr, 0, Stepper::Run, &s, 0, nullptr);
  s.WaitForSteps(1);
  SuspendThread(h);
  CloseHandle(h);  // a closed handle does not hide the thread from the exit
  std::this_thread::sleep_for(20ms);
  int frozen = s.steps;
  thread_layer::BeginProcessExit();
  s.WaitForSteps(frozen + 2);
  s.stop = true;
  while (!s.exited) std::this_thread::sleep_for(1ms);
  thread_layer::EndProcessExitForTests();
}

}  // namespace
