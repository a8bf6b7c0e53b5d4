#include <gtest/gtest.h>

#include <random>

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

// Plain character-by-character search, to check the word-at-a-time scans
// against on random texts mixing letters, CR LF and two-byte characters.
int SlowFind(const std::string& text, const std::string& sought, int start, bool ignoreCase) {
  auto fold = [&](unsigned char c) { return ignoreCase && c >= 'A' && c <= 'Z' ? c + 32 : c; };
  std::size_t end = 0;
  while (end < text.size() && text[end] != '\0') {
    if (static_cast<unsigned char>(text[end]) < 0x80) ++end;
    else if (end + 1 < text.size() && text[end + 1] != '\0') end += 2;
    else break;
  }
  for (std::size_t i = 0; i < end; i += static_cast<unsigned char>(text[i]) < 0x80 ? 1 : 2) {
    if (static_cast<int>(i) + 1 < start || i + sought.size() > end) continue;
    if (sought.empty()) return 1;
    bool match = true;
    for (std::size_t k = 0; k < sought.size() && match;) {
      if (static_cast<unsigned char>(text[i + k]) >= 0x80) {  // two-byte character: exact
        match = text[i + k] == sought[k] && (k + 1 == sought.size() || text[i + k + 1] == sought[k + 1]);
        k += 2;
      } else {
        match = fold(text[i + k]) == fold(sought[k]);
        k += 1;
      }
    }
    if (match) return static_cast<int>(i + 1);
  }
  return -1;
}

TEST(Find, AgreesWithCharacterByCharacterSearchOnRandomTexts) {
  const std::string pieces[] = {"a", "A", "b", "B", "\r\n", "x", "\xD6\xD0", "\x81\x41", "\x81\x61", "0123456789"};
  std::mt19937 random(7);
  auto make = [&](std::size_t count) {
    std::string s;
    for (std::size_t i = 0; i < count; ++i) s += pieces[random() % std::size(pieces)];
    return s;
  };
  for (int round = 0; round < 3000; ++round) {
    const std::string text = make(random() % 60), sought = make(1 + random() % 3);
    const int start = static_cast<int>(random() % 40) - 2;
    for (bool ignoreCase : {false, true}) {
      ASSERT_EQ(Find(text, sought, start, ignoreCase), SlowFind(text, sought, start, ignoreCase))
          << testing::PrintToString(text) << " / " << testing::PrintToString(sought) << " from " << start
          << (ignoreCase ? " ignoring case" : "");
    }
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
