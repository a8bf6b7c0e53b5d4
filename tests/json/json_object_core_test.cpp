// Construction, Init, Parse, Clear, ToJson, ResolvePath, copies, COM counts
// and the state without engine.
#include "json/json_object.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "engine_switches.h"
#include "platform/com.h"

namespace {

struct ComCounts {
  int initialized = com::InitializeCount();
  int uninitialized = com::UninitializeCount();
  int InitializedSince() const { return com::InitializeCount() - initialized; }
  int UninitializedSince() const { return com::UninitializeCount() - uninitialized; }
};

TEST(JsonObjectConstruction, StartsWithAnEmptyDocumentAndTheGlobals) {
  JsonObject json;
  EXPECT_EQ(json.m_name, "da");
  ASSERT_TRUE(json.m_engine);
  EXPECT_EQ(json.ToJson(), "{}");
  EXPECT_EQ(json.m_engine.EvalNumber("str_Code.charCodeAt(0)"), 9216);
  EXPECT_EQ(json.m_engine.EvalNumber("str_Code.length"), 1);
  EXPECT_TRUE(json.m_engine.EvalBool("str_reg.global && str_reg.test(str_Code)"));
  EXPECT_TRUE(json.m_engine.EvalBool("typeof get__count == 'function' && typeof get__name_All == 'function' && "
                                     "typeof get__extend == 'function'"));
}

TEST(JsonObjectConstruction, ObjectsNeverSeeEachOthersRoot) {
  JsonObject a;
  JsonObject b;
  ASSERT_TRUE(a.Parse("{\"only\":\"a\"}"));
  EXPECT_EQ(b.ToJson(), "{}");
  EXPECT_TRUE(b.SetText("x", "1"));
  EXPECT_EQ(a.ToJson(), "{\"only\":\"a\"}");
}

TEST(JsonObjectCom, InitAndDestructorCountOnceOnTheirThread) {
  ComCounts counts;
  {
    JsonObject json;
    EXPECT_EQ(counts.InitializedSince(), 1);
    json.Parse("[1]");  // Parse re-runs Init
    EXPECT_EQ(counts.InitializedSince(), 2);
    json.Init();
    EXPECT_EQ(counts.InitializedSince(), 3);
    EXPECT_EQ(counts.UninitializedSince(), 0);
    {
      JsonObject copy(json);  // a copy initialises nothing
      EXPECT_EQ(counts.InitializedSince(), 3);
    }
    EXPECT_EQ(counts.UninitializedSince(), 1);
    auto extracted = json.Extract("");  // construction and Parse of the new object
    EXPECT_EQ(counts.InitializedSince(), 5);
  }
  EXPECT_EQ(counts.UninitializedSince(), 3);
}

TEST(JsonObjectCom, CountsLandOnTheThreadThatRunsInitAndDestructor) {
  ComCounts mainCounts;
  auto json = std::make_unique<JsonObject>();
  std::thread worker([&] {
    ComCounts workerCounts;
    EXPECT_TRUE(json->Parse("{\"n\":1}"));
    EXPECT_EQ(json->GetNumber("n"), 1);
    EXPECT_EQ(workerCounts.InitializedSince(), 1);
    json.reset();
    EXPECT_EQ(workerCounts.UninitializedSince(), 1);
  });
  worker.join();
  EXPECT_EQ(mainCounts.InitializedSince(), 1);
  EXPECT_EQ(mainCounts.UninitializedSince(), 0);
}

TEST(JsonObjectCom, DestructorCountsAlsoWithoutEngine) {
  ComCounts counts;
  {
    CreationFails fails;
    JsonObject json;
    EXPECT_FALSE(json.m_engine);
  }
  EXPECT_EQ(counts.InitializedSince(), 1);
  EXPECT_EQ(counts.UninitializedSince(), 1);
}

struct ParseCase {
  const char* text;
  bool result;
  const char* json;  // ToJson afterwards
};

class JsonObjectParse : public testing::TestWithParam<ParseCase> {};

TEST_P(JsonObjectParse, ResultAndDocument) {
  JsonObject json;
  ASSERT_TRUE(json.SetText("before", "1"));
  EXPECT_EQ(json.Parse(GetParam().text), GetParam().result) << GetParam().text;
  EXPECT_EQ(json.ToJson(), GetParam().json) << GetParam().text;
  EXPECT_FALSE(json.Exists("before"));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, JsonObjectParse,
    testing::Values(ParseCase{"{\"a\":[1,2,{\"b\":null}]}", true, "{\"a\":[1,2,{\"b\":null}]}"},
                    ParseCase{"[]", true, "[]"}, ParseCase{" 0 ", true, "0"}, ParseCase{"false", true, "false"},
                    ParseCase{"null", false, "null"},
                    // Not an expression: the root stays null.
                    ParseCase{"{\"a\":", false, "null"}, ParseCase{"}", false, "null"},
                    // No text: eval() gives undefined, which has no JSON text.
                    ParseCase{"", false, ""},
                    // The text is an expression, and eval runs a string value as code.
                    ParseCase{"\"\"", false, ""}, ParseCase{"\"1+2\"", true, "3"},
                    ParseCase{"\"word\"", false, "null"}, ParseCase{"{'single':'quotes'}", true, "{\"single\":\"quotes\"}"}));

TEST(JsonObjectParse, EmptyTextLeavesRootUndefined) {
  JsonObject json;
  EXPECT_FALSE(json.Parse(""));
  EXPECT_EQ(json.GetCount(), 0);
  EXPECT_EQ(json.GetType(), JsonObject::kMissing);
  EXPECT_TRUE(json.m_engine.EvalBool("da === undefined"));
}

TEST(JsonObjectParse, EveryParseStartsFromAFreshInstance) {
  JsonObject json;
  ASSERT_TRUE(json.m_engine.AddCode("var leftover = 1; Object.prototype.polluted = 1;"));
  script_engine::Engine before = json.GetEngine();
  ASSERT_TRUE(json.Parse("{\"a\":1}"));
  EXPECT_FALSE(json.m_engine.EvalBool("typeof leftover != 'undefined'"));
  EXPECT_FALSE(json.m_engine.EvalBool("({}).polluted == 1"));
  EXPECT_TRUE(before.EvalBool("leftover == 1"));  // the old instance, still held here
  EXPECT_FALSE(json.Parse("{"));
  EXPECT_FALSE(json.Exists("a"));
}

TEST(JsonObjectParse, WithoutEngineFailsAndIsNotRetried) {
  auto json = [] {
    CreationFails fails;
    return std::make_unique<JsonObject>();
  }();
  EXPECT_FALSE(json->Parse("{\"a\":1}"));
  EXPECT_FALSE(json->m_engine);
}

TEST(JsonObjectParse, RunawayOrDeepTextFailsAndTheObjectRecovers) {
  TimeLimit limit(std::chrono::milliseconds(200));
  JsonObject json;
  EXPECT_FALSE(json.Parse("(function () { for (;;) {} })()"));
  const std::string deep = std::string(100000, '[') + std::string(100000, ']');
  EXPECT_FALSE(json.Parse(deep));
  EXPECT_EQ(json.ToJson(), "null");
  EXPECT_TRUE(json.Parse("[[[[1]]]]"));
  EXPECT_EQ(json.GetNumber("[0][0][0][0]"), 1);
}

TEST(JsonObjectClear, EmptiesTheDocument) {
  JsonObject json;
  ASSERT_TRUE(json.Parse("[1,2,3]"));
  EXPECT_TRUE(json.Clear());
  EXPECT_EQ(json.ToJson(), "{}");
}

struct ResolveCase {
  const char* path;
  const char* resolved;
  bool result;
};

class JsonObjectResolvePath : public testing::TestWithParam<ResolveCase> {};

TEST_P(JsonObjectResolvePath, RewritesInPlace) {
  JsonObject json;
  ASSERT_TRUE(json.Parse("{\"x\":1,\"a\":{\"b\":[5]},\"list\":[0]}"));
  Text path = GetParam().path;
  EXPECT_EQ(json.ResolvePath(path), GetParam().result) << GetParam().path;
  EXPECT_EQ(path, GetParam().resolved);
}

INSTANTIATE_TEST_SUITE_P(Paths, JsonObjectResolvePath,
                         testing::Values(ResolveCase{"", "da", true}, ResolveCase{"da", "da", true},
                                         ResolveCase{"x", "da.x", true}, ResolveCase{"da.x", "da.x", true},
                                         ResolveCase{"da.y", "da.da.y", false}, ResolveCase{"a.b", "da.a.b", true},
                                         ResolveCase{"a.b[0]", "da.a.b[0]", true},
                                         ResolveCase{"[0]", "da[0]", false}, ResolveCase{"list[0]", "da.list[0]", true},
                                         ResolveCase{"data", "da.data", false}, ResolveCase{"d", "da.d", false},
                                         ResolveCase{"q.r", "da.q.r", false}));

TEST(JsonObjectResolvePath, ArrayRootAndOtherOperationsLeaveTheCallersPath) {
  JsonObject json;
  ASSERT_TRUE(json.Parse("[\"first\"]"));
  Text path = "[0]";
  EXPECT_TRUE(json.ResolvePath(path));
  EXPECT_EQ(path, "da[0]");
  const Text kept = "[0]";
  EXPECT_EQ(json.GetText(kept), "first");
  EXPECT_EQ(kept, "[0]");
}

TEST(JsonObjectCopy, CopiesShareOneDocumentAndOutliveTheOriginal) {
  auto original = std::make_unique<JsonObject>();
  ASSERT_TRUE(original->Parse("{\"n\":1}"));
  JsonObject copy(*original);
  EXPECT_EQ(copy.m_name, "da");
  EXPECT_TRUE(original->SetNumber("n", 2));
  EXPECT_EQ(copy.GetNumber("n"), 2);
  copy.SetText("t", "x");
  EXPECT_EQ(original->GetText("t"), "x");
  original.reset();
  EXPECT_EQ(copy.ToJson(), "{\"n\":2,\"t\":\"x\"}");
}

TEST(JsonObjectCopy, ParseOnACopyDetachesOnlyTheCopy) {
  JsonObject original;
  ASSERT_TRUE(original.SetText("kept", "1"));
  JsonObject copy(original);
  ASSERT_TRUE(copy.Parse("[1]"));
  EXPECT_EQ(original.GetText("kept"), "1");
  EXPECT_EQ(copy.ToJson(), "[1]");
}

TEST(JsonObjectCopy, AssignmentSharesTheSourcesDocument) {
  JsonObject source;
  ASSERT_TRUE(source.Parse("{\"s\":1}"));
  JsonObject target;
  ASSERT_TRUE(target.Parse("{\"t\":1}"));
  target = source;
  EXPECT_EQ(target.ToJson(), "{\"s\":1}");
  target.SetNumber("s", 5);
  EXPECT_EQ(source.GetNumber("s"), 5);
  target = target;  // self-assignment keeps the document
  EXPECT_EQ(target.GetNumber("s"), 5);
}

TEST(JsonObjectBackslash, PlainBackslashesStaySingleAndParsedOnesShowEscaped) {
  JsonObject json;
  json.SetText("plain", "C:\\dir\\n");
  EXPECT_EQ(json.GetText("plain"), "C:\\dir\\n");
  EXPECT_EQ(json.GetText("plain", true), "\"C:\\dir\\n\"");
  EXPECT_EQ(json.ToJson(), "{\"plain\":\"C:\\dir\\n\"}");
  EXPECT_TRUE(json.m_engine.EvalBool("da.plain.indexOf('\\\\') < 0"));  // stored as the substitute

  ASSERT_TRUE(json.Parse("{\"parsed\":\"a\\\\b\"}"));
  EXPECT_EQ(json.GetText("parsed"), "a\\b");
  EXPECT_EQ(json.GetText("parsed", true), "\"a\\\\b\"");
  EXPECT_EQ(json.ToJson(), "{\"parsed\":\"a\\\\b\"}");
}

TEST(JsonObjectWithoutEngine, EveryOperationAnswersAsForAScriptError) {
  CreationFails fails;
  JsonObject json;
  TextArray names{"old"};
  EXPECT_FALSE(json.Parse("[1]"));
  EXPECT_FALSE(json.Clear());
  EXPECT_EQ(json.ToJson(), "");
  EXPECT_FALSE(json.SetText("a", "1"));
  EXPECT_FALSE(json.SetText("a", "{}", true));
  EXPECT_FALSE(json.SetJson("a", "1"));
  Text path = "a";
  EXPECT_FALSE(json.ResolvePath(path));
  EXPECT_EQ(path, "da.a");
  EXPECT_FALSE(json.Exists());
  EXPECT_EQ(json.GetType(), JsonObject::kUnknown);
  EXPECT_EQ(json.GetText(), "");
  EXPECT_EQ(json.GetMemberNames(names), 0);
  EXPECT_TRUE(names.empty());
  EXPECT_EQ(json.GetCount(), 0);
  EXPECT_FALSE(json.AppendItem("1", "a", true));
  EXPECT_EQ(json.GetItemText(0, {}, true), "");
  EXPECT_FALSE(json.SetItem(0, "a", "1", true));
  EXPECT_FALSE(json.RemoveItem(0));
  EXPECT_FALSE(json.Delete("a"));
  EXPECT_FALSE(json.SetNumber("a", 1));
  EXPECT_EQ(json.GetNumber(), 0);
  EXPECT_EQ(json.GetJson(), "");
  EXPECT_FALSE(json.GetEngine());
  auto extracted = json.Extract();
  ASSERT_TRUE(extracted);
  EXPECT_EQ(extracted->ToJson(), "");
  EXPECT_TRUE(json.ExtractItem(0));
}

}  // namespace
