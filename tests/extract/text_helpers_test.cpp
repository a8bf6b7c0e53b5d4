#include <gtest/gtest.h>

#include "extract/text_helpers.h"

namespace {

const Text kMarker = "\"depTypeCode\":\"root_xuefks_xy_wsjs\"";
const Text kInputStart = "<input type='hidden' value = '";
const Text kInputEnd = "' id='questoinList'/>";

TEST(FindLineContaining, FirstLineHoldingTheNeedle) {
  struct {
    Text text, needle;
    bool caseSensitive;
    int expected;
  } cases[] = {
      {"", "abc", false, 0},
      {"xABCx", "abc", false, 1},
      {"xABCx", "abc", true, 0},
      {"one\r\ntwo abc\r\nabc", "abc", true, 2},
      {"ab\r\ncd", "b\r\nc", false, 0},               // never across a line break
      {"ab\ncd\nabc", "cd", false, 1},                // LF alone does not end a line
      {"\r\n\r\nz", "z", false, 3},
      {"\xD6\xD0\xCE\xC4\r\n\xD0\xCE", "\xD0\xCE", false, 2},
      {"a\r\n" "\"DEPTYPECODE\":\"ROOT_XUEFKS_XY_WSJS\"", kMarker, false, 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindLineContaining(c.text, c.needle, c.caseSensitive), c.expected) << testing::PrintToString(c.text);
  }
  EXPECT_EQ(FindLineContaining("xABCx", "abc"), 1) << "omitted flag ignores case";
}

TEST(GetLine, NumberedFromOne) {
  const Text text = "a\r\n\r\nb";
  EXPECT_EQ(GetLine(text, 1), "a");
  EXPECT_EQ(GetLine(text, 2), "");
  EXPECT_EQ(GetLine(text, 3), "b");
  for (int outside : {0, -1, 4}) EXPECT_EQ(GetLine(text, outside), "") << outside;
  EXPECT_EQ(GetLine("a\r\n", 1), "a");
  EXPECT_EQ(GetLine("a\r\n", 2), "");
  EXPECT_EQ(GetLine("", 1), "");
}

TEST(TextBetween, BetweenStartMarkerAndNextEndMarker) {
  struct {
    Text text, start, end;
    Text expected;
  } cases[] = {
      {"x(hello)y", "(", ")", "hello"},
      {"x()y", "(", ")", ""},
      {"hello)", "(", ")", ""},          // no start marker
      {")x(hello", "(", ")", ""},        // end marker only before the start
      {"x(a)b)c", "(", ")", "a"},        // the nearest end marker
      {"abc(", "(", ")", ""},            // start marker at the very end
      {"a[[b]]", "[[", "]]", "b"},
      {"\xD6\xD0\xCE\xC4", "\xD0", "\xC4", ""},  // markers on second bytes are no match
  };
  for (const auto& c : cases) EXPECT_EQ(TextBetween(c.text, c.start, c.end), c.expected) << c.text;
}

TEST(TextBetween, QuoteNameInBothMarkers) {
  const Text question = "{\"question\":\"Q\",\"lpQuestionAnswerList\":[{\"optionNum\":\"A\"}],\"num\":3}";
  const Text quoteName = "#\xD2\xFD\xBA\xC5";  // #引号
  const Text expected = "[{\"optionNum\":\"A\"}]";
  EXPECT_EQ(TextBetween(question, "lpQuestionAnswerList\":", ",\"num\":"), expected);
  EXPECT_EQ(TextBetween(question, "lpQuestionAnswerList" + quoteName + ":", "," + quoteName + "num" + quoteName + ":"),
            expected);
  EXPECT_EQ(TextBetween("x#y\"z", "#", "z"), "y\"") << "a lone # stays a #";
}

TEST(TextBetween, CaseAndStartPosition) {
  const Text page = "<INPUT TYPE='HIDDEN' VALUE = '[1]' id='questoinList'/>" + kInputStart + "[2]" + kInputEnd;
  EXPECT_EQ(TextBetween(page, kInputStart, kInputEnd), "[2]") << "omitted flag: case counts";
  EXPECT_EQ(TextBetween(page, kInputStart, kInputEnd, 0, true), "[1]");
  EXPECT_EQ(TextBetween("(a)(b)", "(", ")", 2), "b");
  EXPECT_EQ(TextBetween("(a)(b)", "(", ")", -3), "a");
}

TEST(PageHelpers, MarkerLineToQuestionList) {
  const Text page = "<html>\r\n<div " + kMarker + ">" + kInputStart + "[{\"num\":1}]" + kInputEnd + "</div>\r\n" +
                    kMarker + kInputStart + "[second]" + kInputEnd + "\r\n";
  const int line = FindLineContaining(page, kMarker);
  ASSERT_EQ(line, 2);
  EXPECT_EQ(TextBetween(GetLine(page, line), kInputStart, kInputEnd), "[{\"num\":1}]");
}

}  // namespace
