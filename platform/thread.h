#pragma once
// Threads with the Windows calls' shapes and results.
//
// Suspension is cooperative: SuspendThread marks the thread, and the thread
// stops at its next suspension point (a window call, an engine call), where
// it holds nothing that the window thread could need. A suspended thread
// thus never stops inside the heap or a lock of the GUI runtime.
#include <cstddef>

#include "platform/win_types.h"

using LPTHREAD_START_ROUTINE = DWORD (*)(void* parameter);

constexpr DWORD CREATE_SUSPENDED = 0x4;
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_TIMEOUT = 0x102;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
constexpr DWORD INFINITE = 0xFFFFFFFF;

// Gives 0 when the thread cannot be started. The handle keeps naming the
// thread after it has ended, until CloseHandle.
HANDLE CreateThread(void* securityAttributes, std::size_t stackSize, LPTHREAD_START_ROUTINE start,
                    void* parameter, DWORD creationFlags, DWORD* threadId);
// WAIT_OBJECT_0 once the thread has ended, WAIT_TIMEOUT, or WAIT_FAILED for
// a handle that names nothing (0, closed, never made).
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
// Both give the previous suspend count, or all bits set for a bad handle.
DWORD SuspendThread(HANDLE thread);
DWORD ResumeThread(HANDLE thread);
BOOL CloseHandle(HANDLE handle);

namespace thread_layer {

// Blocks while the calling thread is suspended. Does nothing on a thread not
// made by CreateThread.
void SuspensionPoint();

// The process is ending: suspended threads run on and stop no more, and the
// layers fail their calls at once so that running threads finish promptly.
void BeginProcessExit();
bool IsProcessExiting();
// For tests that go on after a simulated exit.
void EndProcessExitForTests();  // also when a GUI runtime starts anew

}  // namespace thread_layer
