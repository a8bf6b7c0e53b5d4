#pragma once
// The load worker and its control: the load button starts a load on a worker
// thread, the pause button suspends and resumes it, the timer tidies up after
// it has ended.
#include "platform/thread.h"
#include "platform/win_types.h"

// Handlers of 按钮1, 按钮2 and 时钟1, on the window thread.
void OnLoadClicked();
void OnPauseClicked();
void OnTimerTick();

// Creates a thread running entry(parameter); the handle goes to handle (0 on
// failure) and is closed at once unless keep. Gives 1 when a thread was made.
int StartThread(LPTHREAD_START_ROUTINE entry, int parameter, HANDLE& handle, int keep, DWORD& threadId);

// 1 running, 0 ended, -1 the wait failed (a handle of 0 among others).
int IsThreadRunning(HANDLE thread);

// The worker thread's routine: one whole load.
DWORD WorkerEntry(void* parameter);

// Run at exit before the globals are released: lets a running worker finish
// (its window calls and engine starts fail at once from now on) and waits for it.
void StopWorkerForExit();
