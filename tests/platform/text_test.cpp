#include <gtest/gtest.h>

#include "platform/text.h"

namespace {

using text::Cut;
using text::Find;
using text::Replace;
using text::Split;

const std::string kZhongWen = "\xD6\xD0\xCE\xC4";  // 中文: the middle bytes D0 CE are no character

TEST(Split, CrLfRulesForEmptyAndLastPieces) {
  struct {
    std::string text;
    TextArray lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\n", {"a"}},
      {"\r\n", {""}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"\r\n\r\n", {"", ""}},
      {"a\nb\rc", {"a\nb\rc"}},
      {"a\r\r\nb", {"a\r", "b"}},
      {std::string("a\r\nb\0c\r\nd", 9), {"a", "b"}},        // a text ends at its NUL
      {std::string("a\r\nb\x81\0\r\nc", 9), {"a", "b"}},     // a lead byte before NUL ends the scan
      {"\x81\r\n\r\nx", {"\x81\r\n", "x"}},  // CR as second byte belongs to the character
  };
  for (const auto& c : cases) EXPECT_EQ(Split(c.text, "\r\n"), c.lines) << testing::PrintToString(c.text);
}

TEST(Find, PositionsStepByCharacters) {
  struct {
    std::string text, sought;
    int start;
    bool ignoreCase;
    int expected;
  } cases[] = {
      {"abcabc", "bc", 1, false, 2},
      {"abcabc", "bc", 3, false, 5},
      {"abcabc", "bc", -5, false, 2},
      {"abcabc", "bc", 6, false, -1},
      {"abc", "bc", 4, false, -1},
      {"abc", "abcd", 1, false, -1},
      {kZhongWen, "\xD0\xCE", 1, false, -1},
      {kZhongWen, "\xCE\xC4", 1, false, 3},
      {kZhongWen, "\xCE\xC4", 2, false, 3},  // a start inside a character moves to the next one
      {"xABCx", "abc", 1, false, -1},
      {"xABCx", "abc", 1, true, 2},
      {"x[Z]x", "[z]", 1, true, 2},
      {"@`[{", "`@{[", 1, true, -1},               // only letters fold
      {"\x81\x41", "\x81\x61", 1, true, -1},      // nor second bytes that look like letters
      {"a\x81\x41" "B", "\x81\x41" "b", 1, true, 2},
      {"abc", "", 1, false, 1},
      {"abc", "", 3, false, 1},
      {"abc", "", 4, false, -1},
      {"", "", 1, false, -1},
      {"", "a", 1, false, -1},
      {std::string("ab\0cd", 5), "cd", 1, false, -1},
      {std::string("ab\x81\0cd", 6), "cd", 1, false, -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Find(c.text, c.sought, c.start, c.ignoreCase), c.expected)
        << testing::PrintToString(c.text) << " / " << testing::PrintToString(c.sought) << " from " << c.start;
  }
}

TEST(Cut, BytesFromPosition) {
  struct {
    std::string text;
    int position, length;
    std::string expected;
  } cases[] = {
      {"abcdef", 2, 3, "bcd"}, {"abcdef", 5, 10, "ef"}, {"abcdef", 6, 1, "f"}, {"abcdef", 7, 1, ""},
      {"abcdef", 0, 3, ""},    {"abcdef", 2, 0, ""},    {"abcdef", 2, -1, ""}, {"", 1, 1, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Cut(c.text, c.position, c.length), c.expected) << c.position << "," << c.length;
}

TEST(Replace, LeftToRightWithoutOverlapByCharacters) {
  struct {
    std::string text, old, replacement, expected;
  } cases[] = {
      {"aaa", "aa", "b", "ba"},
      {"a#b#", "#", "\"", "a\"b\""},
      {"abc", "B", "x", "abc"},
      {kZhongWen, "\xD0\xCE", "X", kZhongWen},
      {kZhongWen + "\xD0\xCE", "\xD0\xCE", "X", kZhongWen + "X"},
      {"abc", "", "x", "abc"},
      {"", "a", "b", ""},
      {"xyx", "x", "", "y"},
  };
  for (const auto& c : cases) EXPECT_EQ(Replace(c.text, c.old, c.replacement), c.expected) << c.text;
}

}  // namespace
