#include "platform/window_thread.h"

#include <QCoreApplication>
#include <QThread>

#include <condition_variable>
#include <memory>
#include <mutex>

#include "platform/thread.h"

namespace window_thread {
namespace {

std::mutex g_mutex;
std::condition_variable g_changed;
bool g_shutDown = false;

// One call in flight. Guarded by g_mutex.
struct Pending {
  const std::function<void()>* fn;
  bool done = false;
  bool abandoned = false;
};

}  // namespace

bool IsWindowThread() {
  QCoreApplication* app = QCoreApplication::instance();
  return app && QThread::currentThread() == app->thread();
}

bool Call(const std::function<void()>& fn) {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) return false;
  if (QThread::currentThread() == app->thread()) {
    if (g_shutDown) return false;
    fn();
    return true;
  }
  thread_layer::SuspensionPoint();
  auto pending = std::make_shared<Pending>();
  pending->fn = &fn;
  {
    std::lock_guard lock(g_mutex);
    if (g_shutDown) return false;
  }
  QMetaObject::invokeMethod(app, [pending] {
    {
      std::lock_guard lock(g_mutex);
      if (pending->abandoned || g_shutDown) return;
    }
    (*pending->fn)();
    std::lock_guard lock(g_mutex);
    pending->done = true;
    g_changed.notify_all();
  }, Qt::QueuedConnection);

  std::unique_lock lock(g_mutex);
  g_changed.wait(lock, [&] { return pending->done || g_shutDown; });
  if (pending->done) return true;
  pending->abandoned = true;
  return false;
}

void Shutdown() {
  std::lock_guard lock(g_mutex);
  g_shutDown = true;
  g_changed.notify_all();
}

void Restart() {
  std::lock_guard lock(g_mutex);
  g_shutDown = false;
}

}  // namespace window_thread
