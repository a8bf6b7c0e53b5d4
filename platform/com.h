#pragma once
// COM start-up and shut-down per thread. Off Windows there is no COM to start:
// the calls only count, per thread, so tests can see that every start is
// matched by one shut-down on the thread that made it.
#include "platform/win_types.h"

using HRESULT = LONG;
constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;

// S_OK for the thread's first initialisation, S_FALSE for every further one.
HRESULT CoInitialize(void* reserved);
void CoUninitialize();

namespace com {

// How often the calling thread has called CoInitialize / CoUninitialize.
int InitializeCount();
int UninitializeCount();

}  // namespace com
