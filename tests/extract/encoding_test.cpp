#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "../platform/sample_pages.h"
#include "extract/encoding.h"

namespace {

struct BytesCase {
  const char* name;
  std::string bytes;
  int expected;
};

const std::string kMarkup = "<html><head><title>";

TEST(DetectEncoding, MarksAndOrderOfTests) {
  const BytesCase cases[] = {
      {"utf-8 mark", "\xEF\xBB\xBF", 1},
      {"utf-8 mark then GBK", "\xEF\xBB\xBF\xD6\xD0", 1},
      {"EF BB then continuation", "\xEF\xBB\x80", 1},
      {"EF BB then ASCII", "\xEF\xBB\x41", 4},
      {"EF BB then FF FE", "\xEF\xBB\xFF\xFE", 4},
      {"EF BB alone", "\xEF\xBB", 4},
      {"utf-16le mark alone", "\xFF\xFE", 2},
      {"utf-16be mark alone", "\xFE\xFF", 3},
      {"utf-16le mark", std::string("\xFF\xFE<\0h\0", 6), 2},
      {"utf-16be mark", std::string("\xFE\xFF\0<\0h", 6), 3},
      {"one byte", "\xFF", 4},
      {"empty", "", 4},
      {"ascii page", sample::AsciiPage(), 4},
      {"ascii then utf-8", kMarkup + "\xE4\xB8\xAD", 1},
      {"two-byte pair passed over", kMarkup + "\xC2\xA9\xE4\xB8\xAD", 1},
      {"ascii then GBK", kMarkup + "\xD6\xD0", 4},
      {"GBK that looks like a three-byte sequence", kMarkup + "\xE5\xA5\xBD\xC4", 1},
      {"cut-off lead at the end", kMarkup + "\xE4\xB8", 4},
  };
  for (const auto& c : cases) EXPECT_EQ(DetectEncoding(c.bytes), c.expected) << c.name;
}

TEST(IsUtf8, DecidedByTheFirstNonAsciiSequence) {
  struct {
    std::string bytes;
    bool expected;
  } cases[] = {
      {"", false},
      {"plain ascii", false},
      {"\xEF\xBB\xBF", true},
      {"\xC2\xA9", false},                 // a pair alone decides nothing
      {"\xC2\xA9\xE4\xB8\xAD", true},
      {"\xC2", false},
      {"\xC2\x41", false},
      {"\xE4\xB8\xAD\xFF\xFF", true},      // nothing after the deciding sequence counts
      {"\xE4\xB8", false},
      {"\xE4", false},
      {"\xF0\x9F\x98\x80", true},
      {"\xF0\x9F\x98", false},
      {"\xF7\xBF\xBF\xBF", true},
      {"\xF8\x80\x80\x80", false},
      {"\x80\x80\x80", false},
      {"\xED\xA0\x80", true},              // surrogates are not rejected
      {"\xC0\x80\xE0\x80\x80", true},      // nor overlong forms
  };
  for (const auto& c : cases) EXPECT_EQ(IsUtf8(c.bytes), c.expected) << testing::PrintToString(c.bytes);
}

TEST(Utf8ToGbk, ConvertsAsWindowsWithFlagsZero) {
  struct {
    std::string utf8, gbk;
  } cases[] = {
      {"abc", "abc"},
      {"\xE4\xB8\xAD", "\xD6\xD0"},
      {"", ""},
      {"\xEF\xBB\xBF" "a", "?a"},                   // the mark is kept, and has no GBK form
      {std::string("a\0b", 3), "a"},                // up to the first NUL
      {"\xF0\x9F\x98\x80", "??"},                   // one ? per UTF-16 code unit
      {"\xFF" "a", "?a"},                           // malformed: U+FFFD, then "?"
      {"\xC2\xB2\xC2\xB7", "2\xA1\xA4"},            // best fit, and the middle dot
      {"\xE2\x82\xAC", "\x80"},                     // euro sign
      {"\xEE\x80\x80", "\xAA\xA1"},                 // private use
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8ToGbk(c.utf8), c.gbk) << testing::PrintToString(c.utf8);
  EXPECT_EQ(Utf8ToGbk(sample::HtmlUtf8()), sample::Gbk(sample::HtmlUtf8()));
}

class DetectFileEncodingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("examtext_encoding_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  int Detect(const std::string& bytes) {
    const auto path = dir_ / ("page" + std::to_string(count_++) + ".html");
    std::ofstream(path, std::ios::binary) << bytes;
    return DetectFileEncoding(path.string());
  }

  std::filesystem::path dir_;
  int count_ = 0;
};

TEST_F(DetectFileEncodingTest, OnePageInEveryForm) {
  const struct {
    const char* name;
    std::string utf8;
  } pages[] = {
      {"html", sample::HtmlUtf8()},
      {"chinese", sample::ChineseUtf8()},
      {"short", "<p>\xE7\xAC\xAC" "1\xE9\xA2\x98</p>"},
      {"long", sample::Repeat(sample::HtmlUtf8(), 500000)},
  };
  for (const auto& page : pages) {
    SCOPED_TRACE(page.name);
    EXPECT_EQ(Detect(page.utf8), 1);
    EXPECT_EQ(Detect("\xEF\xBB\xBF" + page.utf8), 1);
    EXPECT_EQ(Detect(sample::Gbk(page.utf8)), 4);
    EXPECT_EQ(Detect(sample::Utf16Le(page.utf8)), 2);
    EXPECT_EQ(Detect("\xFF\xFE" + sample::Utf16Le(page.utf8)), 2);
    EXPECT_EQ(Detect("\xFE\xFF" + sample::Utf16Be(page.utf8)), 3);
    EXPECT_EQ(Detect(sample::Utf16Be(page.utf8)), 4) << "no mark: our test only knows little-endian";
  }
  EXPECT_EQ(Detect(sample::AsciiPage()), 4);
  EXPECT_EQ(Detect(sample::Repeat(sample::AsciiPage(), 500000)), 4);
  EXPECT_EQ(Detect("Bush hid the facts"), 4);
}

TEST_F(DetectFileEncodingTest, MissingOrEmptyFileIsAnsi) {
  EXPECT_EQ(DetectFileEncoding((dir_ / "missing.html").string()), 4);
  EXPECT_EQ(Detect(""), 4);
}

}  // namespace
