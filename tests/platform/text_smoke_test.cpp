#include <gtest/gtest.h>

#include "platform/codepage.h"
#include "platform/text.h"

TEST(CodePageSmoke, GbkRoundTrip) {
  const std::string zhong = "\xD6\xD0";
  EXPECT_EQ(GbkToUtf16(zhong), u"\u4E2D");
  EXPECT_EQ(Utf16ToGbk(u"\u4E2D"), zhong);
}

TEST(TextSmoke, FindStepsByCharacters) {
  EXPECT_EQ(text::Find("\xD6\xD0\xCE\xC4", "\xD0\xCE"), -1);
  EXPECT_EQ(text::Find("xABCx", "abc", 1, true), 2);
}
