// The small Windows calls under the dialogs.
#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <thread>

#include <QCoreApplication>

#include "platform/winapi_misc.h"

namespace {

struct MulDivCase {
  int number, numerator, denominator, result;
};

class MulDivResult : public testing::TestWithParam<MulDivCase> {};

TEST_P(MulDivResult, RoundsHalfAwayFromZeroAndFlagsFailureWithMinusOne) {
  const MulDivCase& c = GetParam();
  EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.result);
}

INSTANTIATE_TEST_SUITE_P(Cases, MulDivResult,
                         testing::Values(MulDivCase{12, 96, 72, 16}, MulDivCase{12, 120, 72, 20},
                                         MulDivCase{105, 96, 720, 14},  // 13.999.. -> 14
                                         MulDivCase{3, 1, 2, 2}, MulDivCase{-3, 1, 2, -2}, MulDivCase{3, -1, 2, -2},
                                         MulDivCase{5, 1, 4, 1}, MulDivCase{-5, -1, 4, 1},
                                         MulDivCase{INT_MAX, 2, 2, INT_MAX},  // no overflow on the way
                                         MulDivCase{INT_MAX, 2, 1, -1}, MulDivCase{7, 7, 0, -1}));

TEST(ScreenDeviceContext, GivesTheScreensDotsPerInch) {
  HDC screen = GetDC(nullptr);
  ASSERT_NE(screen, nullptr);
  EXPECT_GT(GetDeviceCaps(screen, LOGPIXELSY), 0);
  {
    screen_seam::ScopedLogPixels outer(120);
    {
      screen_seam::ScopedLogPixels inner(144);
      EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 144);
    }
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 120);
  }
  EXPECT_EQ(GetDeviceCaps(screen, 12345), 0);
  EXPECT_EQ(GetDeviceCaps(nullptr, LOGPIXELSY), 0);
  EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
  EXPECT_EQ(ReleaseDC(nullptr, nullptr), 0);
}

TEST(ScreenDeviceContext, IsReadableFromAnotherThread) {
  std::atomic<int> fromWorker = 0;
  int here = GetDeviceCaps(GetDC(nullptr), LOGPIXELSY);
  std::thread worker([&] { fromWorker = GetDeviceCaps(GetDC(nullptr), LOGPIXELSY); });
  // The worker asks the window thread, which is this one.
  while (fromWorker == 0) QCoreApplication::processEvents();
  worker.join();
  EXPECT_EQ(fromWorker, here);
}

TEST(ActiveWindow, IsNoneOnAThreadWithoutWindows) {
  HWND fromWorker = reinterpret_cast<HWND>(1);
  std::thread worker([&] { fromWorker = GetActiveWindow(); });
  worker.join();
  EXPECT_EQ(fromWorker, nullptr);
}

TEST(GlobalBlocks, AreZeroedFixedBlocks) {
  HGLOBAL block = GlobalAlloc(GMEM_ZEROINIT, 60);
  ASSERT_NE(block, nullptr);
  const auto* bytes = static_cast<const unsigned char*>(block);
  for (int i = 0; i < 60; ++i) ASSERT_EQ(bytes[i], 0) << i;
  EXPECT_EQ(GlobalFree(block), nullptr);
  EXPECT_EQ(GlobalAlloc(0x2 /* moveable */, 60), nullptr);
}

TEST(Copying, CopiesWithTheNulAndRefusesNull) {
  char target[8] = "xxxxxxx";
  EXPECT_EQ(lstrcpyA(target, "ab"), target);
  EXPECT_EQ(std::string(target, 4), std::string("ab\0x", 4));
  EXPECT_EQ(lstrcpyA(nullptr, "ab"), nullptr);
  EXPECT_EQ(lstrcpyA(target, nullptr), nullptr);

  char moved[6] = "abcde";
  RtlMoveMemory(moved + 1, moved, 3);  // overlapping
  EXPECT_STREQ(moved, "aabce");
}

}  // namespace
