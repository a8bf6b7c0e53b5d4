#include "platform/com.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(ComCounters, CountPerThreadAndReportFirstInitialisation) {
  std::thread([] {
    EXPECT_EQ(com::InitializeCount(), 0);
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    CoUninitialize();
    EXPECT_EQ(com::InitializeCount(), 2);
    EXPECT_EQ(com::UninitializeCount(), 1);
    std::thread([] { EXPECT_EQ(com::InitializeCount(), 0); }).join();
  }).join();
}

}  // namespace
