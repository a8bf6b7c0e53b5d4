// Rendering a question list into the output box.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "extract/render_question_list.h"
#include "json/engine_switches.h"
#include "pipeline/recording_box.h"

namespace {

const std::string kExample =
    R"([{"question":"T1","lpQuestionAnswerList":[{"optionNum":"A","contentType":"正确"},{"optionNum":"B","contentType":"错误"}],"num":1},)"
    R"({"question":"T2","lpQuestionAnswerList":[{"optionNum":"A","contentType":"是"}],"num":2}])";
const std::string kExampleText = "1、T1\r\n    A、正确    B、错误\r\n\r\n2、T2\r\n    A、是\r\n\r\n";

struct RenderCase {
  const char* name;
  std::string listJson;  // UTF-8
  std::string boxText;   // UTF-8
  bool parsed;
};

void PrintTo(const RenderCase& c, std::ostream* os) { *os << c.name; }

class RenderCases : public ::testing::TestWithParam<RenderCase> {};

TEST_P(RenderCases, BoxHoldsExactlyTheExpectedText) {
  const RenderCase& c = GetParam();
  JsonObject json;
  RecordingBox box;
  EXPECT_EQ(RenderQuestionList(Gbk(c.listJson), json, box), c.parsed);
  EXPECT_EQ(box.content, Gbk(c.boxText));
  EXPECT_EQ(box.setContentCalls, 0) << "rendering only appends";
}

const std::string kNoList = "、\r\n\r\n\r\n";

INSTANTIATE_TEST_SUITE_P(
    Lists, RenderCases,
    ::testing::Values(
        RenderCase{"WorkedExample", kExample, kExampleText, true},
        RenderCase{"SpacedJsonIsReadCompactly",
                   R"([ {"question": "T1", "lpQuestionAnswerList": [ {"optionNum": "A", "contentType": "正确"},)"
                   R"( {"optionNum": "B", "contentType": "错误"} ], "num": 1},)"
                   "\r\n"
                   R"( {"question":"T2","lpQuestionAnswerList":[{"optionNum":"A","contentType":"是"}],"num":2} ])",
                   kExampleText, true},
        RenderCase{"EmptyText", "", kNoList, false},
        RenderCase{"InvalidJson", R"([{"question":"T1","lpQuestionAnswerList":[)", kNoList, false},
        RenderCase{"Null", "null", kNoList, false},
        RenderCase{"EmptyArray", "[]", "", true},
        RenderCase{"Object", R"({"question":"T1","lpQuestionAnswerList":[],"num":1})", "", true},
        RenderCase{"Number", "5", "", true},
        RenderCase{"StringOfAnExpression", R"("5")", "", true},
        // A text at the top is evaluated once more, as script: "abc" names nothing.
        RenderCase{"StringOfANonExpression", R"("abc")", kNoList, false},
        RenderCase{"NumFirst",
                   R"([{"num":1,"question":"T1","lpQuestionAnswerList":[{"optionNum":"A","contentType":"是"}]}])",
                   "1、T1\r\n\r\n\r\n", true},
        RenderCase{"OptionMembersReversed",
                   R"([{"question":"T1","lpQuestionAnswerList":[{"contentType":"是","optionNum":"A"}],"num":1}])",
                   "1、T1\r\n    A、是\r\n\r\n", true},
        RenderCase{"OptionWithNumCutsInsideTheOptions",
                   R"([{"question":"T1","lpQuestionAnswerList":[{"optionNum":"A","num":7,"contentType":"正确"},)"
                   R"({"optionNum":"B","contentType":"错误"}],"num":1}])",
                   "1、T1\r\n\r\n\r\n", true},
        RenderCase{"OptionLedByNumIsHarmless",
                   R"([{"question":"T1","lpQuestionAnswerList":[{"num":7,"optionNum":"A","contentType":"是"}],"num":1}])",
                   "1、T1\r\n    A、是\r\n\r\n", true},
        RenderCase{"EmptyAndNullOptionLists",
                   R"([{"question":"T1","lpQuestionAnswerList":[],"num":1},{"question":"T2","lpQuestionAnswerList":null,"num":2}])",
                   "1、T1\r\n\r\n\r\n2、T2\r\n\r\n\r\n", true},
        RenderCase{"OptionsNotAnArray",
                   R"([{"question":"T1","lpQuestionAnswerList":{"optionNum":"A","contentType":"是"},"num":1}])",
                   "1、T1\r\n\r\n\r\n", true},
        RenderCase{"NumbersAndStrings",
                   R"([{"question":"T1","lpQuestionAnswerList":[{"optionNum":1,"contentType":2.5}],"num":1},)"
                   R"({"question":"T2","lpQuestionAnswerList":[{"optionNum":"A","contentType":"否"}],"num":"1"},)"
                   R"({"question":"T3","lpQuestionAnswerList":[{"optionNum":"A","contentType":"是"}],"num":1.0}])",
                   "1、T1\r\n    1、2.5\r\n\r\n1、T2\r\n    A、否\r\n\r\n1、T3\r\n    A、是\r\n\r\n", true},
        RenderCase{"MissingAndNullMembersShowNothing",
                   R"([{"lpQuestionAnswerList":[{"optionNum":null}],"num":3},{"question":"T2"}])",
                   "3、\r\n    、\r\n\r\n、T2\r\n\r\n\r\n", true},
        RenderCase{"EscapedCrLfInWording",
                   R"([{"question":"T1\r\nT1b","lpQuestionAnswerList":[{"optionNum":"A","contentType":"是"}],"num":1}])",
                   "1、T1\r\nT1b\r\n    A、是\r\n\r\n", true},
        RenderCase{"EscapesInStrings",
                   R"([{"question":"a\\b \"q\" \u6CD5","lpQuestionAnswerList":[{"optionNum":"A","contentType":"x'y"}],"num":1}])",
                   "1、a\\b \"q\" 法\r\n    A、x'y\r\n\r\n", true},
        RenderCase{"ThreeOptionsOnOneLine",
                   R"([{"question":"T1","lpQuestionAnswerList":[{"optionNum":"A","contentType":"甲"},)"
                   R"({"optionNum":"B","contentType":"乙"},{"optionNum":"C","contentType":"丙"}],"num":9}])",
                   "9、T1\r\n    A、甲    B、乙    C、丙\r\n\r\n", true}),
    [](const ::testing::TestParamInfo<RenderCase>& info) { return std::string(info.param.name); });

TEST(RenderQuestionList, EmptyEntryIsExactlyTheseGbkBytes) {
  JsonObject json;
  RecordingBox box;
  RenderQuestionList("", json, box);
  EXPECT_EQ(box.content, std::string("\xA1\xA2\r\n\r\n\r\n"));
}

TEST(RenderQuestionList, AppendsEachPieceOnItsOwn) {
  JsonObject json;
  RecordingBox box;
  RenderQuestionList(Gbk(kExample), json, box);
  std::vector<Text> expected;
  for (const char* piece : {"1、T1\r\n", "    A、正确", "    B、错误", "\r\n\r\n", "2、T2\r\n", "    A、是", "\r\n\r\n"})
    expected.push_back(Gbk(piece));
  EXPECT_EQ(box.pieces, expected);

  RecordingBox cancelled;
  RenderQuestionList("", json, cancelled);
  EXPECT_EQ(cancelled.pieces, (std::vector<Text>{"\xA1\xA2\r\n", "\r\n\r\n"}));
}

TEST(RenderQuestionList, AppendsAfterWhatTheBoxHolds) {
  JsonObject json;
  RecordingBox box("old text\r\n");
  RenderQuestionList("[]", json, box);
  EXPECT_EQ(box.content, "old text\r\n");
  RenderQuestionList("", json, box);
  EXPECT_EQ(box.content, "old text\r\n" + kNoQuestions);
}

TEST(RenderQuestionList, JsonObjectKeepsTheParsedList) {
  JsonObject json;
  RecordingBox box;
  ASSERT_TRUE(RenderQuestionList(Gbk(kExample), json, box));
  EXPECT_EQ(json.GetCount(), 2);
  EXPECT_EQ(json.GetText("[1].question"), "T2");
  EXPECT_EQ(json.GetCount("[0].lpQuestionAnswerList"), 2);

  // A list that does not parse replaces it all the same.
  RecordingBox second;
  EXPECT_FALSE(RenderQuestionList("[{", json, second));
  EXPECT_EQ(json.GetCount(), 0);
  EXPECT_EQ(json.GetText("[1].question"), "");
}

TEST(RenderQuestionList, WithoutEngineRendersTheEmptyEntry) {
  {
    CreationFails noEngines;
    JsonObject json;
    RecordingBox box;
    EXPECT_FALSE(RenderQuestionList(Gbk(kExample), json, box));
    EXPECT_EQ(box.content, kNoQuestions);
  }
  // An object that started without engine does not get one later.
  std::unique_ptr<JsonObject> json;
  {
    CreationFails noEngines;
    json = std::make_unique<JsonObject>();
  }
  RecordingBox box;
  EXPECT_FALSE(RenderQuestionList(Gbk(kExample), *json, box));
  EXPECT_EQ(box.content, kNoQuestions);
  EXPECT_EQ(json->GetCount(), 0);
}

TEST(RenderQuestionList, SameObjectRendersSuccessiveListsIndependently) {
  JsonObject json;
  RecordingBox box;
  RenderQuestionList(Gbk(kExample), json, box);
  RenderQuestionList(Gbk(R"([{"question":"Q","lpQuestionAnswerList":[],"num":5}])"), json, box);
  EXPECT_EQ(box.content, Gbk(kExampleText + "5、Q\r\n\r\n\r\n"));
}

struct FieldCase {
  std::string objectJson;
  std::string member;
  std::string text;
};

TEST(GetFieldText, ReadsOneMemberAsPlainText) {
  const std::vector<FieldCase> cases = {
      {R"({"num":1,"question":"T1"})", "question", "T1"},
      {R"({"num":1,"question":"T1"})", "num", "1"},
      {R"({"num":12.75})", "num", "12.75"},
      {R"({"num":"007"})", "num", "007"},
      {R"({"a":true})", "a", "true"},
      {R"({"a":"正确"})", "a", "正确"},
      {R"({"a":null})", "a", ""},
      {R"({"num":1})", "question", ""},
      {R"({"num":1)", "num", ""},
      {"", "num", ""},
      {"[1,2]", "num", ""},
  };
  for (const FieldCase& c : cases)
    EXPECT_EQ(GetFieldText(Gbk(c.objectJson), c.member), Gbk(c.text)) << c.objectJson << " ." << c.member;
}

TEST(RenderOptions, WritesEveryOptionThenTheClosingBreaks) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {R"([{"optionNum":"A","contentType":"是"},{"optionNum":"B","contentType":"否"}])", "    A、是    B、否\r\n\r\n"},
      {"[]", "\r\n\r\n"},
      {"null", "\r\n\r\n"},
      {"", "\r\n\r\n"},
      {R"([{"optionNum":"A")", "\r\n\r\n"},
      {R"({"optionNum":"A","contentType":"是"})", "\r\n\r\n"},
      {"[1]", "    、\r\n\r\n"},
  };
  for (const auto& [optionsJson, text] : cases) {
    RecordingBox box;
    RenderOptions(Gbk(optionsJson), box);
    EXPECT_EQ(box.content, Gbk(text)) << optionsJson;
  }
}

}  // namespace
