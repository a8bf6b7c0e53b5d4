#include <gtest/gtest.h>

#include "platform/unicode_test.h"
#include "sample_pages.h"

namespace {

BOOL AllTests(const std::string& bytes, int* out = nullptr) {
  int mask = -1;
  BOOL result = IsTextUnicode(bytes.empty() ? nullptr : bytes.data(), static_cast<int>(bytes.size()), &mask);
  if (out) *out = mask;
  return result;
}

struct Page {
  const char* name;
  std::string utf8;
};

std::vector<Page> Pages() {
  return {
      {"html", sample::HtmlUtf8()},
      {"chinese", sample::ChineseUtf8()},
      {"ascii", sample::AsciiPage()},
      {"short", "<p>\xE7\xAC\xAC" "1\xE9\xA2\x98</p>"},  // <p>第1题</p>
      {"long html", sample::Repeat(sample::HtmlUtf8(), 200000)},
      {"long chinese", sample::Repeat(sample::ChineseUtf8(), 200000)},
  };
}

TEST(IsTextUnicode, Utf16LittleEndianWithoutMarkIsUnicode) {
  for (const auto& page : Pages()) {
    int mask = 0;
    EXPECT_TRUE(AllTests(sample::Utf16Le(page.utf8), &mask)) << page.name;
    EXPECT_TRUE(mask & IS_TEXT_UNICODE_STATISTICS) << page.name;
    EXPECT_FALSE(mask & IS_TEXT_UNICODE_NOT_UNICODE_MASK) << page.name;
  }
}

TEST(IsTextUnicode, EightBitAndBigEndianPagesAreNot) {
  for (const auto& page : Pages()) {
    EXPECT_FALSE(AllTests(page.utf8)) << page.name << " utf-8";
    EXPECT_FALSE(AllTests(sample::Gbk(page.utf8))) << page.name << " gbk";
    int mask = 0;
    EXPECT_FALSE(AllTests(sample::Utf16Be(page.utf8), &mask)) << page.name << " utf-16be";
    EXPECT_TRUE(mask & IS_TEXT_UNICODE_REVERSE_STATISTICS) << page.name;
  }
}

TEST(IsTextUnicode, NoPrefixOfAnEightBitPageIsUnicode) {
  for (const auto& page : Pages()) {
    for (const std::string& bytes : {page.utf8, sample::Gbk(page.utf8)}) {
      for (std::size_t n = 0; n <= std::min<std::size_t>(bytes.size(), 400); ++n) {
        ASSERT_FALSE(AllTests(bytes.substr(0, n))) << page.name << " prefix " << n;
      }
    }
  }
}

TEST(IsTextUnicode, ShortTextsThatFoolWindows) {
  for (const char* text : {"Bush hid the facts", "this app can break", "aa", "Hi", "abcd"}) {
    EXPECT_FALSE(AllTests(text)) << text;
  }
}

TEST(IsTextUnicode, TooShortOrMissingBuffer) {
  int mask = -1;
  EXPECT_FALSE(IsTextUnicode(nullptr, 0, &mask));
  EXPECT_EQ(mask, 0);
  mask = -1;
  EXPECT_FALSE(IsTextUnicode("a", 1, &mask));
  EXPECT_EQ(mask, IS_TEXT_UNICODE_ODD_LENGTH);
  EXPECT_FALSE(IsTextUnicode(nullptr, 10, nullptr));
  EXPECT_TRUE(IsTextUnicode("a\0", 2, nullptr)) << "one ASCII character in UTF-16LE";
}

TEST(IsTextUnicode, MarksAndIllegalUnits) {
  int mask = 0;
  EXPECT_TRUE(AllTests(std::string("\xFF\xFE", 2), &mask));
  EXPECT_TRUE(mask & IS_TEXT_UNICODE_SIGNATURE);
  EXPECT_FALSE(AllTests(std::string("\xFE\xFF\0a", 4), &mask));
  EXPECT_TRUE(mask & IS_TEXT_UNICODE_REVERSE_SIGNATURE);
  const std::string le = sample::Utf16Le(sample::HtmlUtf8());
  EXPECT_FALSE(AllTests(le + "x", &mask)) << "odd length";
  EXPECT_TRUE(mask & IS_TEXT_UNICODE_ODD_LENGTH);
  EXPECT_FALSE(AllTests(le + std::string("\xFF\xFF", 2) + le, &mask)) << "U+FFFF inside";
  EXPECT_TRUE(mask & IS_TEXT_UNICODE_ILLEGAL_CHARS);
  EXPECT_FALSE(AllTests(le + std::string("\x00\xD8" "a\0", 4) + le, &mask)) << "lone high surrogate";
  EXPECT_TRUE(mask & IS_TEXT_UNICODE_ILLEGAL_CHARS);
  EXPECT_TRUE(AllTests(le + std::string("\x3D\xD8\x00\xDE", 4) + le)) << "surrogate pair";
}

TEST(IsTextUnicode, MaskSelectsTheTestsReported) {
  const std::string le = sample::Utf16Le(sample::AsciiPage());
  int mask = IS_TEXT_UNICODE_ASCII16;
  EXPECT_TRUE(IsTextUnicode(le.data(), static_cast<int>(le.size()), &mask));
  EXPECT_EQ(mask, IS_TEXT_UNICODE_ASCII16);
  mask = IS_TEXT_UNICODE_ODD_LENGTH;  // nothing that says yes was asked for
  EXPECT_FALSE(IsTextUnicode(le.data(), static_cast<int>(le.size()), &mask));
  EXPECT_EQ(mask, 0);
  EXPECT_TRUE(IsTextUnicode(le.data(), static_cast<int>(le.size()), nullptr));
}

}  // namespace
