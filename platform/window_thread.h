#pragma once
// Calls from other threads into the window thread, carried out the way a
// synchronous window message is: the window thread runs them in its message
// loop and inside its waits while the calling thread waits.
#include <functional>

namespace window_thread {

// Whether the calling thread is the window thread (the one that started the
// GUI runtime).
bool IsWindowThread();

// Runs fn on the window thread and waits until it has run. On the window
// thread itself it runs fn at once. Gives false without running fn when
// there is no GUI runtime or it has shut down; a caller waiting at shut-down
// is released with false and fn is then never run, so fn may refer to the
// caller's stack. fn may run a nested event loop (a dialog).
bool Call(const std::function<void()>& fn);

// Called by the runtime once its message loop has ended: from now on Call
// fails at once, and every waiting caller is released.
void Shutdown();

// For a runtime started anew (tests): accept calls again.
void Restart();

}  // namespace window_thread
