#include "app/globals.h"

#include "dialogs/common_dialog.h"
#include "json/json_object.h"

int32_t g_isRunning = 0;
HANDLE g_workerThread = nullptr;
std::unique_ptr<CommonDialog> g_dialog;
std::unique_ptr<JsonObject> g_json;
