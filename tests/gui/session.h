#pragma once
// Test programs run one GUI runtime for all their tests; a test that loads
// windows or shuts the runtime down ends with a fresh session.
#include <gtest/gtest.h>

#include "platform/gui_runtime.h"

// Defined by the test program's main.
gui::Runtime& TestRuntime();

// Windows destroyed, exit list run, then a new session.
inline void NewSession() {
  TestRuntime().ShutDown();
  TestRuntime().Restart();
}

class SessionTest : public ::testing::Test {
 protected:
  void TearDown() override { NewSession(); }
};
