#pragma once
// The shell's long-lived state. All of it starts empty; the window thread
// alone touches g_isRunning and g_workerThread.
#include <cstdint>
#include <memory>

#include "platform/win_types.h"

class CommonDialog;
class JsonObject;

extern int32_t g_isRunning;         // 1: the worker counts as running; 0: suspended
extern HANDLE g_workerThread;       // the current load worker, null when none
extern std::unique_ptr<CommonDialog> g_dialog;
extern std::unique_ptr<JsonObject> g_json;
