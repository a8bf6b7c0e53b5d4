#pragma once
// Helpers for driving real dialogs: the test's main thread is the window
// thread and keeps dispatching while a call runs on another thread.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <atomic>
#include <functional>
#include <thread>

// Dispatches the window thread's events until done() or the time is up.
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 10000) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > timeoutMs) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

// The visible top-level widget of the given type, or nullptr.
template <class Widget>
Widget* VisibleTopLevel() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* found = qobject_cast<Widget*>(widget); found && found->isVisible()) return found;
  }
  return nullptr;
}

template <class Widget>
Widget* WaitForTopLevel(int timeoutMs = 10000) {
  Widget* found = nullptr;
  PumpUntil([&] { return (found = VisibleTopLevel<Widget>()) != nullptr; }, timeoutMs);
  return found;
}

// A call made on a thread of its own, as the load worker makes it.
class WorkerCall {
 public:
  explicit WorkerCall(std::function<void()> call)
      : thread_([this, call = std::move(call)] {
          call();
          done_ = true;
        }) {}
  ~WorkerCall() {
    PumpUntil([this] { return done_.load(); });
    thread_.join();
  }
  bool Done() const { return done_; }
  bool WaitDone() {
    return PumpUntil([this] { return done_.load(); });
  }

 private:
  std::atomic<bool> done_{false};
  std::thread thread_;
};

// Runs step every 10 ms on the window thread until it returns true. Being a
// timer, it runs inside a dialog's own event loop too, which is where a
// person's actions must happen.
class Steps {
 public:
  explicit Steps(std::function<bool()> step) : step_(std::move(step)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (busy_ || finished_) return;
      busy_ = true;
      finished_ = step_();
      busy_ = false;
      if (finished_) timer_.stop();
    });
    timer_.start(10);
  }
  bool Finished() const { return finished_; }

 private:
  std::function<bool()> step_;
  QTimer timer_;
  bool busy_ = false;
  bool finished_ = false;
};
