// The changing operations: SetText, SetJson, AppendItem, SetItem, RemoveItem,
// Delete, SetNumber.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "json/json_object.h"

namespace {

class JsonObjectWrite : public testing::Test {
 protected:
  void Load(const char* text) { ASSERT_TRUE(json.Parse(text)) << text; }
  JsonObject json;
};

TEST_F(JsonObjectWrite, SetTextPlainRoundTripsSpecialCharacters) {
  const Text values[] = {
      "it's \"quoted\"",
      "line1\r\nline2\nend\r",
      "back\\slash \\n \\' \\\\",
      "tab\tbell\x07",
      "\xD6\xD0\xCE\xC4",                 // 中文
      "\x95\x5C" "end",                   // second byte is the byte of a backslash
      "a\x95\x5C'\x95\x5C\\\x95\x5C",     // mixed with real backslashes and apostrophes
      "",
  };
  for (const Text& value : values) {
    json.SetText("v", value);
    EXPECT_EQ(json.GetText("v"), value);
    EXPECT_EQ(json.GetType("v"), JsonObject::kString);
  }
}

TEST_F(JsonObjectWrite, SetTextResultIsTheCoercionOfTheStoredText) {
  struct Case {
    const char* value;
    bool result;
  };
  for (const Case& c : {Case{"1", true}, Case{"0", false}, Case{"abc", false}, Case{" 2.5 ", true}}) {
    EXPECT_EQ(json.SetText("v", c.value), c.result) << c.value;
    EXPECT_EQ(json.GetText("v"), c.value);  // stored either way
  }
  EXPECT_FALSE(json.SetText("missing.child", "1"));
  EXPECT_EQ(json.ToJson(), "{\"v\":\" 2.5 \"}");
}

TEST_F(JsonObjectWrite, SetTextOnTheRootAndAnElement) {
  Load("[\"a\"]");
  EXPECT_FALSE(json.SetText("[0]", "b"));  // "b" coerces to false
  EXPECT_EQ(json.ToJson(), "[\"b\"]");
  json.SetText("", "root");
  EXPECT_EQ(json.ToJson(), "\"root\"");
}

struct MergeCase {
  const char* document;
  const char* path;
  const char* value;
  const char* expected;
};

class JsonObjectSetTextJson : public testing::TestWithParam<MergeCase> {};

TEST_P(JsonObjectSetTextJson, MergesOrAssigns) {
  JsonObject json;
  ASSERT_TRUE(json.Parse(GetParam().document));
  EXPECT_TRUE(json.SetText(GetParam().path, Text(GetParam().value), true));
  EXPECT_EQ(json.ToJson(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JsonObjectSetTextJson,
    testing::Values(
        // An array target gets the source's elements appended.
        MergeCase{"[1]", "", "[2,[3]]", "[1,2,[3]]"},
        MergeCase{"{\"l\":[\"a\"]}", "l", "[\"b\"]", "{\"l\":[\"a\",\"b\"]}"},
        // Objects merge member by member, recursively.
        MergeCase{"{\"s\":\"x\",\"b\":true,\"o\":{\"p\":1}}", "",
                  "{\"s\":\"y\",\"b\":false,\"o\":{\"q\":2},\"new\":[1]}",
                  "{\"s\":\"y\",\"b\":false,\"o\":{\"p\":1,\"q\":2},\"new\":[1]}"},
        // A number member is overwritten like a string one.
        MergeCase{"{\"n\":1,\"o\":{\"m\":2}}", "", "{\"n\":3,\"o\":{\"m\":4}}", "{\"n\":3,\"o\":{\"m\":4}}"},
        // A null member, or a primitive source member, is overwritten too.
        MergeCase{"{\"z\":null,\"y\":null}", "", "{\"z\":{\"k\":1},\"y\":5}", "{\"z\":{\"k\":1},\"y\":5}"},
        MergeCase{"{\"o\":{\"p\":1}}", "", "{\"o\":\"str\"}", "{\"o\":\"str\"}"},
        // An empty value merges an empty object: nothing changes.
        MergeCase{"{\"o\":{\"p\":1}}", "o", "", "{\"o\":{\"p\":1}}"},
        // A member without value is assigned; an empty value gives an empty object.
        MergeCase{"{}", "m", "{\"k\":[1]}", "{\"m\":{\"k\":[1]}}"},
        MergeCase{"{}", "m", "", "{\"m\":{}}"},
        MergeCase{"{\"z\":null}", "z", "[1]", "{\"z\":[1]}"}));

TEST_F(JsonObjectWrite, SetTextJsonOmittedValueCountsAsEmpty) {
  EXPECT_TRUE(json.SetText("m", std::nullopt, true));
  EXPECT_EQ(json.ToJson(), "{\"m\":{}}");
  EXPECT_FALSE(json.SetText("m", Text("{"), true));
  EXPECT_EQ(json.ToJson(), "{\"m\":{}}");
}

TEST_F(JsonObjectWrite, SetTextJsonMergeSkipsTheInheritedMethods) {
  Load("{\"a\":1}");
  EXPECT_TRUE(json.SetText("", Text("{\"toJSONString\":5,\"b\":2}"), true));
  EXPECT_EQ(json.ToJson(), "{\"a\":1,\"b\":2}");
}

TEST_F(JsonObjectWrite, SetJsonAssignsAScriptValue) {
  EXPECT_TRUE(json.SetJson("a", "[1,{\"b\":2}]"));
  EXPECT_EQ(json.GetJson("a"), "[1,{\"b\":2}]");
  EXPECT_FALSE(json.SetJson("a", "0"));  // stored, but 0 coerces to false
  EXPECT_EQ(json.GetJson("a"), "0");
  EXPECT_FALSE(json.SetJson("a", "[1,"));
  EXPECT_EQ(json.GetJson("a"), "0");
  EXPECT_FALSE(json.SetJson("missing.child", "1"));
  EXPECT_TRUE(json.SetJson("", "[true]"));
  EXPECT_EQ(json.ToJson(), "[true]");
}

TEST_F(JsonObjectWrite, AppendItemTurnsNonArraysIntoArrays) {
  Load("{\"t\":\"text\",\"o\":{\"k\":1},\"n\":3,\"l\":[1]}");
  for (const char* path : {"missing", "t", "o", "n"}) {
    EXPECT_TRUE(json.AppendItem("v", path)) << path;
    EXPECT_EQ(json.GetJson(path), "[\"v\"]") << path;
  }
  EXPECT_TRUE(json.AppendItem("{\"k\":2}", "l", true));
  EXPECT_TRUE(json.AppendItem("x", "l"));
  EXPECT_EQ(json.GetJson("l"), "[1,{\"k\":2},\"x\"]");
}

TEST_F(JsonObjectWrite, PlainItemValuesAreNotEscaped) {
  Load("{\"l\":[\"keep\"]}");
  EXPECT_FALSE(json.AppendItem("it's", "l"));
  EXPECT_FALSE(json.SetItem(0, "l", "it's"));
  EXPECT_EQ(json.GetJson("l"), "[\"keep\"]");
  EXPECT_TRUE(json.AppendItem("a\\nb", "l"));  // the engine reads \n as LF
  EXPECT_EQ(json.GetItemText(1, "l"), "a\nb");
  EXPECT_FALSE(json.AppendItem("1", "missing.child"));
}

TEST_F(JsonObjectWrite, SetItemStoresAndReturnsTheCoercion) {
  Load("[\"a\",\"b\"]");
  EXPECT_FALSE(json.SetItem(0, "", "x"));  // "x" coerces to false but is stored
  EXPECT_TRUE(json.SetItem(1, "", "7"));
  EXPECT_TRUE(json.SetItem(3, "", "{\"k\":1}", true));
  EXPECT_EQ(json.ToJson(), "[\"x\",\"7\",null,{\"k\":1}]");
  EXPECT_FALSE(json.SetItem(0, "", "[1,", true));
  EXPECT_EQ(json.GetItemText(0), "x");
}

struct RemoveCase {
  int index;
  const char* expected;
};

class JsonObjectRemoveItem : public testing::TestWithParam<RemoveCase> {};

TEST_P(JsonObjectRemoveItem, SplicesOneElement) {
  JsonObject json;
  ASSERT_TRUE(json.Parse("{\"l\":[1,2,3]}"));
  json.RemoveItem(GetParam().index, "l");
  EXPECT_EQ(json.GetJson("l"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Indexes, JsonObjectRemoveItem,
                         testing::Values(RemoveCase{0, "[2,3]"}, RemoveCase{1, "[1,3]"}, RemoveCase{3, "[1,2,3]"},
                                         RemoveCase{9, "[1,2,3]"}, RemoveCase{-1, "[1,2]"},
                                         RemoveCase{-3, "[2,3]"}));

TEST_F(JsonObjectWrite, RemoveItemFailsOnNonArrays) {
  Load("{\"o\":{},\"s\":\"x\"}");
  EXPECT_FALSE(json.RemoveItem(0, "o"));
  EXPECT_FALSE(json.RemoveItem(0, "s"));
  EXPECT_FALSE(json.RemoveItem(0, "missing"));
}

TEST_F(JsonObjectWrite, DeleteRemovesMembers) {
  Load("{\"a\":1,\"b\":{\"c\":2},\"l\":[1,2]}");
  EXPECT_TRUE(json.Delete("a"));
  EXPECT_TRUE(json.Delete("b.c"));
  EXPECT_TRUE(json.Delete("missing"));  // deleting an absent member succeeds
  EXPECT_FALSE(json.Delete("missing.child"));
  EXPECT_TRUE(json.Delete("l[0]"));
  EXPECT_EQ(json.ToJson(), "{\"b\":{},\"l\":[null,2]}");
}

struct NumberCase {
  double number;
  const char* json;
  bool result;
};

class JsonObjectSetNumber : public testing::TestWithParam<NumberCase> {};

TEST_P(JsonObjectSetNumber, FormatsWithThirteenDigits) {
  JsonObject json;
  EXPECT_EQ(json.SetNumber("n", GetParam().number), GetParam().result);
  EXPECT_EQ(json.GetJson("n"), GetParam().json);
}

INSTANTIATE_TEST_SUITE_P(Numbers, JsonObjectSetNumber,
                         testing::Values(NumberCase{0.1 + 0.2, "0.3", true}, NumberCase{5, "5", true},
                                         NumberCase{-2.5, "-2.5", true}, NumberCase{0, "0", false},
                                         NumberCase{1.0 / 3, "0.3333333333333", true},
                                         NumberCase{123456789012345.0, "123456789012300", true},
                                         NumberCase{1e21, "1e+21", true}, NumberCase{0.00001, "0.00001", true},
                                         NumberCase{std::numeric_limits<double>::infinity(), "", false},
                                         NumberCase{-std::numeric_limits<double>::infinity(), "", false},
                                         NumberCase{std::nan(""), "", false}));

TEST_F(JsonObjectWrite, SetNumberKeepsTheOldValueOnFailure) {
  ASSERT_TRUE(json.SetNumber("n", 4));
  EXPECT_FALSE(json.SetNumber("n", std::numeric_limits<double>::infinity()));
  EXPECT_EQ(json.GetNumber("n"), 4);
  EXPECT_FALSE(json.SetNumber("missing.child", 1));
}

}  // namespace
