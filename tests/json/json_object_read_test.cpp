// The reading operations: Exists, GetType, GetText, GetItemText, GetJson,
// GetMemberNames, GetCount, GetNumber, Extract, ExtractItem, GetEngine.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "json/json_object.h"

namespace {

const char* const kDocument =
    "{\"s\":\"text\",\"a\":[1,2],\"o\":{\"k\":1},\"n\":5,\"b\":true,\"f\":false,\"z\":null,"
    "\"numeric\":\"12.5\",\"items\":[\"x\",5,{\"k\":1},null],\"\xD6\xD0\":\"\xCE\xC4\"}";

class JsonObjectRead : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(json.Parse(kDocument)); }
  JsonObject json;
};

struct TypeCase {
  const char* path;
  int type;
};

class JsonObjectGetType : public JsonObjectRead, public testing::WithParamInterface<TypeCase> {};

TEST_P(JsonObjectGetType, GivesTheTypeCode) { EXPECT_EQ(json.GetType(GetParam().path), GetParam().type); }

INSTANTIATE_TEST_SUITE_P(Paths, JsonObjectGetType,
                         testing::Values(TypeCase{"s", 6}, TypeCase{"a", 5}, TypeCase{"o", 4}, TypeCase{"", 4},
                                         TypeCase{"n", 2}, TypeCase{"b", 1}, TypeCase{"z", 0},
                                         TypeCase{"missing", 0}, TypeCase{"missing.child", -1},
                                         TypeCase{"items[2]", 4}, TypeCase{"\xD6\xD0", 6}));

TEST_F(JsonObjectRead, ExistsForValuesOnly) {
  EXPECT_TRUE(json.Exists());
  EXPECT_TRUE(json.Exists("f"));
  EXPECT_TRUE(json.Exists("items[0]"));
  EXPECT_FALSE(json.Exists("z"));
  EXPECT_FALSE(json.Exists("missing"));
  EXPECT_FALSE(json.Exists("missing.child"));
}

struct TextCase {
  const char* path;
  const char* plain;
  const char* asJson;
};

class JsonObjectGetText : public JsonObjectRead, public testing::WithParamInterface<TextCase> {};

TEST_P(JsonObjectGetText, PlainAndJsonForms) {
  EXPECT_EQ(json.GetText(GetParam().path), GetParam().plain);
  EXPECT_EQ(json.GetText(GetParam().path, true), GetParam().asJson);
  EXPECT_EQ(json.GetJson(GetParam().path), GetParam().asJson);
}

INSTANTIATE_TEST_SUITE_P(Paths, JsonObjectGetText,
                         testing::Values(TextCase{"s", "text", "\"text\""}, TextCase{"n", "5", "5"},
                                         TextCase{"b", "true", "true"}, TextCase{"a", "1,2", "[1,2]"},
                                         TextCase{"o", "[object Object]", "{\"k\":1}"},
                                         TextCase{"z", "", "null"}, TextCase{"missing", "", ""},
                                         TextCase{"missing.child", "", ""},
                                         TextCase{"\xD6\xD0", "\xCE\xC4", "\"\xCE\xC4\""}));

TEST_F(JsonObjectRead, GetItemTextReadsOnlyStringsInPlainForm) {
  EXPECT_EQ(json.GetItemText(0, "items"), "x");
  EXPECT_EQ(json.GetItemText(1, "items"), "");  // a number has no replace
  EXPECT_EQ(json.GetText("items[1]"), "5");
  EXPECT_EQ(json.GetItemText(1, "items", true), "5");
  EXPECT_EQ(json.GetItemText(2, "items", true), "{\"k\":1}");
  EXPECT_EQ(json.GetItemText(3, "items", true), "null");
  EXPECT_EQ(json.GetItemText(3, "items"), "");
  EXPECT_EQ(json.GetItemText(9, "items", true), "");
  EXPECT_EQ(json.GetItemText(-1, "items", true), "");
  EXPECT_EQ(json.GetItemText(0, "missing", true), "");
}

TEST(JsonObjectGetItemText, RendererCallFormsOnAQuestionList) {
  JsonObject list;
  ASSERT_TRUE(list.Parse("[{\"num\":1,\"question\":\"q\"},{\"num\":2}]"));
  const int n = list.GetCount();
  ASSERT_EQ(n, 2);
  JsonObject item;
  ASSERT_TRUE(item.Parse(list.GetItemText(1, {}, true)));
  EXPECT_EQ(item.GetText(Text("num")), "2");
  item.Clear();
  EXPECT_EQ(item.ToJson(), "{}");
}

struct CountCase {
  const char* path;
  int count;
};

class JsonObjectGetCount : public JsonObjectRead, public testing::WithParamInterface<CountCase> {};

TEST_P(JsonObjectGetCount, LengthOfArraysOnly) { EXPECT_EQ(json.GetCount(GetParam().path), GetParam().count); }

INSTANTIATE_TEST_SUITE_P(Paths, JsonObjectGetCount,
                         testing::Values(CountCase{"a", 2}, CountCase{"items", 4}, CountCase{"", 0},
                                         CountCase{"o", 0}, CountCase{"s", 0}, CountCase{"n", 0},
                                         CountCase{"missing", 0}, CountCase{"missing.child", 0}));

TEST_F(JsonObjectRead, GetMemberNamesListsDataMembersInOrder) {
  TextArray names{"stale"};
  EXPECT_EQ(json.GetMemberNames(names), 10);
  const TextArray expected{"s", "a", "o", "n", "b", "f", "z", "numeric", "items", "\xD6\xD0"};
  EXPECT_EQ(names, expected);  // never the two inherited methods
  EXPECT_EQ(json.GetMemberNames(names, "o"), 1);
  EXPECT_EQ(names, TextArray{"k"});
  for (const char* path : {"a", "s", "z", "missing", "missing.child"}) {
    names = {"stale"};
    EXPECT_EQ(json.GetMemberNames(names, path), 0) << path;
    EXPECT_TRUE(names.empty()) << path;
  }
}

TEST(JsonObjectGetMemberNames, EmptyNamesArePiecesOfTheSplit) {
  JsonObject json;
  ASSERT_TRUE(json.Parse("{\"\":1,\"b\":2}"));
  TextArray names;
  EXPECT_EQ(json.GetMemberNames(names), 2);
  EXPECT_EQ(names, (TextArray{"", "b"}));
}

struct NumberCase {
  const char* path;
  double number;
};

class JsonObjectGetNumber : public JsonObjectRead, public testing::WithParamInterface<NumberCase> {};

TEST_P(JsonObjectGetNumber, CoercesTheValue) { EXPECT_EQ(json.GetNumber(GetParam().path), GetParam().number); }

INSTANTIATE_TEST_SUITE_P(Paths, JsonObjectGetNumber,
                         testing::Values(NumberCase{"n", 5}, NumberCase{"b", -1}, NumberCase{"f", 0},
                                         NumberCase{"numeric", 12.5}, NumberCase{"s", 0}, NumberCase{"z", 0},
                                         NumberCase{"missing", 0}, NumberCase{"items[1]", 5},
                                         NumberCase{"o", 0}));

TEST_F(JsonObjectRead, ExtractCopiesThroughJsonText) {
  auto part = json.Extract("o");
  ASSERT_TRUE(part);
  EXPECT_EQ(part->ToJson(), "{\"k\":1}");
  EXPECT_TRUE(part->SetNumber("k", 2));
  EXPECT_EQ(json.GetNumber("o.k"), 1);  // independent documents
  auto whole = json.Extract();
  EXPECT_EQ(whole->ToJson(), json.ToJson());
}

TEST_F(JsonObjectRead, ExtractOfAMissingValueGivesAnUndefinedRoot) {
  std::vector<std::unique_ptr<JsonObject>> parts;
  parts.push_back(json.Extract("missing"));
  parts.push_back(json.ExtractItem(9, "items"));
  parts.push_back(json.ExtractItem(0, "missing.x"));
  for (const auto& part : parts) {
    ASSERT_TRUE(part);
    EXPECT_TRUE(part->m_engine.EvalBool("da === undefined"));
    EXPECT_EQ(part->ToJson(), "");
  }
}

TEST_F(JsonObjectRead, ExtractItemCopiesOneElement) {
  auto item = json.ExtractItem(2, "items");
  EXPECT_EQ(item->ToJson(), "{\"k\":1}");
  EXPECT_EQ(json.ExtractItem(-1, "items")->ToJson(), "");
  EXPECT_EQ(json.ExtractItem(1, "a")->GetNumber(), 2);
}

TEST(JsonObjectExtract, PlainBackslashesAreReadAsEscapesByTheCopy) {
  JsonObject json;
  json.SetText("t", "c:\\new");
  auto copy = json.Extract();
  EXPECT_EQ(copy->GetText("t"), "c:\new");  // \n became LF on the way
  EXPECT_EQ(json.GetText("t"), "c:\\new");
}

TEST_F(JsonObjectRead, GetEngineSharesTheInstance) {
  script_engine::Engine engine = json.GetEngine();
  ASSERT_TRUE(engine);
  EXPECT_EQ(engine.EvalNumber("da.n"), 5);
  EXPECT_TRUE(engine.EvalBool("da.n = 6"));
  EXPECT_EQ(json.GetNumber("n"), 6);
}

}  // namespace
