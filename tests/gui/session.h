#pragma once
// Test programs run one GUI runtime for all their tests; a test that loads
// windows or shuts the runtime down ends with a fresh session.
#include <gtest/gtest.h>

#include <QString>
#include <QtGlobal>

#include <cstdlib>

#include "platform/gui_runtime.h"

namespace test_session {

inline gui::Runtime*& Current() {
  static gui::Runtime* runtime = nullptr;
  return runtime;
}

inline QtMessageHandler& StandardMessages() {
  static QtMessageHandler handler = nullptr;
  return handler;
}

// The offscreen platform reports every fixed-size window; that is noise here.
inline void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains("propagateSizeHints")) return;
  if (StandardMessages()) StandardMessages()(type, context, message);
}

}  // namespace test_session

inline gui::Runtime& TestRuntime() { return *test_session::Current(); }

// Windows destroyed, exit list run, then a new session.
inline void NewSession() {
  TestRuntime().ShutDown();
  TestRuntime().Restart();
}

class SessionTest : public ::testing::Test {
 protected:
  void TearDown() override { NewSession(); }
};

// The body of a test program's main: every test on the window thread of a
// started runtime, real widgets without a screen.
inline int RunAllTestsOnRuntime(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);  // also when the build lists the tests
  test_session::StandardMessages() = qInstallMessageHandler(test_session::QuietMessages);
  gui::Runtime runtime(argc, argv);
  test_session::Current() = &runtime;
  int result = RUN_ALL_TESTS();
  test_session::Current() = nullptr;
  return result;
}
