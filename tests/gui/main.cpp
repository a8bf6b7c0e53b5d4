// The tests run on the window thread of a started runtime.
#include <gtest/gtest.h>

#include <QString>
#include <QtGlobal>

#include <cstdlib>

#include "gui/session.h"

namespace {

gui::Runtime* g_runtime = nullptr;
QtMessageHandler g_standardMessages = nullptr;

// The offscreen platform reports every fixed-size window; that is noise here.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains("propagateSizeHints")) return;
  if (g_standardMessages) g_standardMessages(type, context, message);
}

}  // namespace

gui::Runtime& TestRuntime() { return *g_runtime; }

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // Real widgets without a screen, also when the build lists the tests.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  g_standardMessages = qInstallMessageHandler(QuietMessages);
  gui::Runtime runtime(argc, argv);
  g_runtime = &runtime;
  int result = RUN_ALL_TESTS();
  g_runtime = nullptr;
  return result;
}
