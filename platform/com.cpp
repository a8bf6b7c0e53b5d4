#include "platform/com.h"

namespace {

thread_local int t_initializeCount = 0;
thread_local int t_uninitializeCount = 0;

}  // namespace

HRESULT CoInitialize(void*) {
  ++t_initializeCount;
  return t_initializeCount - t_uninitializeCount == 1 ? S_OK : S_FALSE;
}

void CoUninitialize() { ++t_uninitializeCount; }

namespace com {

int InitializeCount() { return t_initializeCount; }
int UninitializeCount() { return t_uninitializeCount; }

}  // namespace com
