#include "platform/thread.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace {

struct ThreadState {
  std::mutex mutex;
  std::condition_variable changed;
  bool finished = false;
  DWORD suspendCount = 0;
};

std::atomic<bool> g_processExiting{false};
std::atomic<DWORD> g_nextThreadId{1};

// Handles are numbers that are never reused, so a closed handle stays invalid.
std::mutex g_handlesMutex;
std::map<std::uintptr_t, std::shared_ptr<ThreadState>> g_handles;
std::uintptr_t g_nextHandle = 0x100;

// Every thread still running, handle or not, so that process exit can wake it.
std::vector<std::weak_ptr<ThreadState>> g_live;

thread_local std::shared_ptr<ThreadState> t_self;

std::shared_ptr<ThreadState> Lookup(HANDLE handle) {
  std::lock_guard lock(g_handlesMutex);
  auto it = g_handles.find(reinterpret_cast<std::uintptr_t>(handle));
  return it == g_handles.end() ? nullptr : it->second;
}

void WaitWhileSuspended(ThreadState& state) {
  std::unique_lock lock(state.mutex);
  state.changed.wait(lock, [&] { return state.suspendCount == 0 || g_processExiting; });
}

}  // namespace

HANDLE CreateThread(void*, std::size_t, LPTHREAD_START_ROUTINE start, void* parameter,
                    DWORD creationFlags, DWORD* threadId) {
  if (!start) return nullptr;
  auto state = std::make_shared<ThreadState>();
  if (creationFlags & CREATE_SUSPENDED) state->suspendCount = 1;
  std::uintptr_t handle;
  {
    std::lock_guard lock(g_handlesMutex);
    std::erase_if(g_live, [](const std::weak_ptr<ThreadState>& w) { return w.expired(); });
    g_live.push_back(state);
    handle = g_nextHandle++;
    g_handles.emplace(handle, state);
  }
  try {
    std::thread([state, start, parameter] {
      t_self = state;
      WaitWhileSuspended(*state);
      start(parameter);
      std::lock_guard lock(state->mutex);
      state->finished = true;
      state->changed.notify_all();
    }).detach();
  } catch (const std::system_error&) {
    CloseHandle(reinterpret_cast<HANDLE>(handle));
    return nullptr;
  }
  if (threadId) *threadId = g_nextThreadId++;
  return reinterpret_cast<HANDLE>(handle);
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
  auto state = Lookup(handle);
  if (!state) return WAIT_FAILED;
  std::unique_lock lock(state->mutex);
  auto ended = [&] { return state->finished; };
  if (milliseconds == INFINITE) {
    state->changed.wait(lock, ended);
    return WAIT_OBJECT_0;
  }
  return state->changed.wait_for(lock, std::chrono::milliseconds(milliseconds), ended) ? WAIT_OBJECT_0
                                                                                       : WAIT_TIMEOUT;
}

DWORD SuspendThread(HANDLE thread) {
  auto state = Lookup(thread);
  if (!state) return WAIT_FAILED;
  std::lock_guard lock(state->mutex);
  return state->suspendCount++;
}

DWORD ResumeThread(HANDLE thread) {
  auto state = Lookup(thread);
  if (!state) return WAIT_FAILED;
  std::lock_guard lock(state->mutex);
  DWORD previous = state->suspendCount;
  if (previous > 0 && --state->suspendCount == 0) state->changed.notify_all();
  return previous;
}

BOOL CloseHandle(HANDLE handle) {
  std::lock_guard lock(g_handlesMutex);
  return g_handles.erase(reinterpret_cast<std::uintptr_t>(handle)) ? TRUE : FALSE;
}

namespace thread_layer {

void SuspensionPoint() {
  if (t_self) WaitWhileSuspended(*t_self);
}

void BeginProcessExit() {
  g_processExiting = true;
  // Wake every suspended thread; each holds its own state lock while waiting.
  std::lock_guard lock(g_handlesMutex);
  for (auto& weak : g_live) {
    if (auto state = weak.lock()) {
      std::lock_guard stateLock(state->mutex);
      state->changed.notify_all();
    }
  }
}

bool IsProcessExiting() { return g_processExiting; }

void EndProcessExitForTests() { g_processExiting = false; }

}  // namespace thread_layer
