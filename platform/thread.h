#pragma once
// Threads with the Windows calls' shapes and results.
//
// Suspension is cooperative: SuspendThread marks the thread, and the thread
// stops at its next suspension point (a window call, an engine call), where
// it holds nothing that the window thread could need.
#include <cstddef>

#include "platform/win_types.h"

using LPTHREAD_START_ROUTINE = DWORD (*)(void* parameter);

constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_TIMEOUT = 0x102;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
constexpr DWORD INFINITE = 0xFFFFFFFF;

HANDLE CreateThread(void* securityAttributes, std::size_t stackSize, LPTHREAD_START_ROUTINE start,
                    void* parameter, DWORD creationFlags, DWORD* threadId);
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
DWORD SuspendThread(HANDLE thread);
DWORD ResumeThread(HANDLE thread);
BOOL CloseHandle(HANDLE handle);

namespace thread_layer {

// Called by the layer's own window and engine calls: blocks while the calling
// thread is suspended. Does nothing on a thread not made by CreateThread.
void SuspensionPoint();

}  // namespace thread_layer
