#include "platform/script_engine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "engine_switches.h"
#include "platform/duk_text.h"

using script_engine::Engine;

namespace {

const Text kZhongWen = "\xD6\xD0\xCE\xC4";  // 中文 in GBK

TEST(ScriptEngineCreate, FreshInstanceRunsJavaScriptOnly) {
  Engine engine = Engine::Create();
  ASSERT_TRUE(engine);
  EXPECT_FALSE(engine.AddCode("var a = 1"));  // no language yet
  EXPECT_FALSE(engine.SelectLanguage("VBScript"));
  EXPECT_FALSE(engine.SelectLanguage("javascript"));
  EXPECT_TRUE(engine.SelectLanguage("JavaScript"));
  EXPECT_TRUE(engine.AddCode("var a = 1"));
  EXPECT_EQ(engine.EvalNumber("a + 1"), 2);
}

TEST(ScriptEngineCreate, SwitchMakesCreationFailAndEmptyEngineFailsEveryCall) {
  {
    CreationFails fails;
    Engine engine = Engine::Create();
    EXPECT_FALSE(engine);
    EXPECT_FALSE(engine.SelectLanguage("JavaScript"));
    EXPECT_FALSE(engine.AddCode("1"));
    EXPECT_FALSE(engine.EvalBool("true"));
    EXPECT_EQ(engine.EvalNumber("5"), 0);
    EXPECT_EQ(engine.EvalText("'x'"), "");
  }
  EXPECT_TRUE(Engine::Create());
}

TEST(ScriptEngineCreate, InstancesHaveSeparateGlobalsAndPrototypes) {
  Engine a = JavaScriptEngine();
  Engine b = JavaScriptEngine();
  ASSERT_TRUE(a.AddCode("var shared = 1; Array.prototype.extra = 7; String.prototype.trim = null;"));
  EXPECT_FALSE(b.EvalBool("typeof shared != 'undefined'"));
  EXPECT_TRUE(b.EvalBool("[].extra === undefined"));
  EXPECT_EQ(b.EvalText("' x '.trim()"), "x");
  EXPECT_EQ(a.EvalNumber("[].extra"), 7);
}

TEST(ScriptEngineShare, ReferencesKeepTheInstanceUntilTheLastIsReleased) {
  Engine first = JavaScriptEngine();
  ASSERT_TRUE(first.AddCode("var v = 42"));
  Engine second = first.Share();
  first.Release();
  EXPECT_FALSE(first);
  EXPECT_EQ(first.EvalNumber("v"), 0);
  EXPECT_EQ(second.EvalNumber("v"), 42);
  Engine third = second;  // copying shares as well
  EXPECT_TRUE(third.AddCode("v = 43"));
  EXPECT_EQ(second.EvalNumber("v"), 43);
}

TEST(ScriptEngineAddCode, DeclarationsBecomeGlobalsAndErrorsFail) {
  Engine engine = JavaScriptEngine();
  EXPECT_TRUE(engine.AddCode("function twice(x) { return 2 * x } var g = twice(4)"));
  EXPECT_EQ(engine.EvalNumber("g"), 8);
  EXPECT_FALSE(engine.AddCode("var = ;"));
  EXPECT_FALSE(engine.AddCode("throw new Error('x')"));
  EXPECT_FALSE(engine.AddCode("undefinedName.member"));
  EXPECT_TRUE(engine.EvalBool("g == 8"));  // still usable after errors
}

struct BoolCase {
  const char* code;
  bool expected;
};

class EvalBoolCoercion : public testing::TestWithParam<BoolCase> {};

TEST_P(EvalBoolCoercion, CoercesCompletionValue) {
  Engine engine = JavaScriptEngine();
  EXPECT_EQ(engine.EvalBool(GetParam().code), GetParam().expected) << GetParam().code;
}

INSTANTIATE_TEST_SUITE_P(Values, EvalBoolCoercion,
                         testing::Values(BoolCase{"true", true}, BoolCase{"false", false}, BoolCase{"3", true},
                                         BoolCase{"-0.5", true}, BoolCase{"0", false}, BoolCase{"0/0", false},
                                         BoolCase{"undefined", false}, BoolCase{"null", false},
                                         BoolCase{"'2'", true}, BoolCase{"' 1e3 '", true}, BoolCase{"'0'", false},
                                         BoolCase{"'0.0'", false}, BoolCase{"'abc'", false}, BoolCase{"''", false},
                                         BoolCase{"'0x10'", false}, BoolCase{"({})", true}, BoolCase{"[]", true},
                                         BoolCase{"var x = 1", false},  // completion value undefined
                                         BoolCase{"if (1) { 5 }", true}, BoolCase{"nosuchname", false},
                                         BoolCase{"(", false}));

struct NumberCase {
  const char* code;
  double expected;
};

class EvalNumberCoercion : public testing::TestWithParam<NumberCase> {};

TEST_P(EvalNumberCoercion, CoercesCompletionValue) {
  Engine engine = JavaScriptEngine();
  EXPECT_EQ(engine.EvalNumber(GetParam().code), GetParam().expected) << GetParam().code;
}

INSTANTIATE_TEST_SUITE_P(Values, EvalNumberCoercion,
                         testing::Values(NumberCase{"1.5", 1.5}, NumberCase{"-7", -7}, NumberCase{"true", -1},
                                         NumberCase{"false", 0}, NumberCase{"'12.5'", 12.5},
                                         NumberCase{"'-3'", -3}, NumberCase{"'+4e1'", 40}, NumberCase{"'.5'", 0.5},
                                         NumberCase{"'x'", 0}, NumberCase{"'1x'", 0}, NumberCase{"''", 0},
                                         NumberCase{"undefined", 0}, NumberCase{"null", 0}, NumberCase{"[3]", 0},
                                         NumberCase{"throw 1", 0}));

struct TextCase {
  const char* code;
  const char* expected;
};

class EvalTextCoercion : public testing::TestWithParam<TextCase> {};

TEST_P(EvalTextCoercion, CoercesCompletionValue) {
  Engine engine = JavaScriptEngine();
  EXPECT_EQ(engine.EvalText(GetParam().code), GetParam().expected) << GetParam().code;
}

INSTANTIATE_TEST_SUITE_P(Values, EvalTextCoercion,
                         testing::Values(TextCase{"'abc'", "abc"}, TextCase{"undefined", ""}, TextCase{"null", ""},
                                         TextCase{"5", "5"}, TextCase{"0.1 + 0.2", "0.30000000000000004"},
                                         TextCase{"true", "true"}, TextCase{"[1, 'a']", "1,a"},
                                         TextCase{"({})", "[object Object]"}, TextCase{"'a\\u0000b'", "a"},
                                         TextCase{"({ toString: function () { throw 1 } })", ""},
                                         TextCase{"Symbol('s')", ""}, TextCase{"'x' +", ""}));

TEST(ScriptEngineText, ChineseRoundTripsBothWays) {
  Engine engine = JavaScriptEngine();
  ASSERT_TRUE(engine.AddCode("var s = '" + kZhongWen + "'"));
  EXPECT_EQ(engine.EvalNumber("s.length"), 2);
  EXPECT_EQ(engine.EvalNumber("s.charCodeAt(0)"), 0x4E2D);
  EXPECT_EQ(engine.EvalText("s + '!'"), kZhongWen + "!");
  EXPECT_EQ(engine.EvalText("String.fromCharCode(0x6587)"), "\xCE\xC4");
}

TEST(ScriptEngineText, CharactersWithoutGbkFormComeBackAsQuestionMarks) {
  Engine engine = JavaScriptEngine();
  EXPECT_EQ(engine.EvalText("'a' + String.fromCharCode(0x0E01) + 'b'"), "a?b");  // Thai
  // A lone surrogate and a pair both leave the engine without breaking the rest.
  const Text lone = engine.EvalText("'x' + String.fromCharCode(0xD800) + 'y'");
  EXPECT_EQ(lone.front(), 'x');
  EXPECT_EQ(lone.back(), 'y');
  EXPECT_EQ(engine.EvalNumber("'\\uD83D\\uDE00'.length"), 2);
}

TEST(ScriptEngineText, Cesu8EncodesEveryCodeUnitAlone) {
  EXPECT_EQ(duk_text::Utf16ToCesu8(u"A\u00E9\u4E2D"), "A\xC3\xA9\xE4\xB8\xAD");
  EXPECT_EQ(duk_text::Utf16ToCesu8(std::u16string(1, char16_t(0xD83D))), "\xED\xA0\xBD");
  const std::u16string pair = u"\U0001F600";
  EXPECT_EQ(duk_text::DukStringToUtf16(duk_text::Utf16ToCesu8(pair)), pair);
  EXPECT_EQ(duk_text::DukStringToUtf16("\xF0\x9F\x98\x80"), pair);  // a 4-byte form becomes a pair
}

TEST(ScriptEngineText, MalformedEngineBytesBecomeReplacementCharacters) {
  struct Case {
    std::string bytes;
    std::u16string expected;
  };
  const Case cases[] = {
      {"a\x80z", u"a\uFFFDz"},       // stray continuation byte
      {"a\xE4\xB8", u"a\uFFFD\uFFFD"},  // cut short at the end
      {"\xE4z", u"\uFFFDz"},         // lead without continuation
      {"\xF7\xBF\xBF\xBF", u"\uFFFD"},  // past U+10FFFF
      {"\xFF", u"\uFFFD"},
  };
  for (const Case& c : cases) EXPECT_EQ(duk_text::DukStringToUtf16(c.bytes), c.expected);
}

TEST(ScriptEngineSandbox, NoHostFunctionsExist) {
  Engine engine = JavaScriptEngine();
  for (const char* name : {"print", "alert", "require", "module", "exports", "process", "console", "load",
                           "readFile", "XMLHttpRequest", "ActiveXObject", "WScript", "setTimeout"}) {
    EXPECT_EQ(engine.EvalText(std::string("typeof ") + name), "undefined") << name;
  }
  EXPECT_EQ(engine.EvalText("typeof Duktape.modSearch"), "undefined");
  EXPECT_EQ(engine.EvalText("typeof Duktape.act"), "function");  // engine-internal only
}

TEST(ScriptEngineBounds, RunawayEvaluationIsStoppedAndTheInstanceStaysUsable) {
  TimeLimit limit(std::chrono::milliseconds(200));
  Engine engine = JavaScriptEngine();
  for (const char* code : {"for (;;) {}", "while (true) { try { for (;;) {} } catch (e) {} }",
                           "function f() { for (;;) {} } f()", "[3, 1, 2].sort(function () { for (;;) {} })"}) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(engine.EvalBool(code)) << code;
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, std::chrono::seconds(5)) << code;
  }
  EXPECT_FALSE(engine.AddCode("for (;;) {}"));
  EXPECT_EQ(engine.EvalNumber("6 * 7"), 42);
}

TEST(ScriptEngineBounds, FinalizerCannotRunAwayWhenTheInstanceEnds) {
  TimeLimit limit(std::chrono::milliseconds(200));
  Engine engine = JavaScriptEngine();
  ASSERT_TRUE(engine.AddCode("var o = {}; Duktape.fin(o, function () { for (;;) {} });"));
  const auto start = std::chrono::steady_clock::now();
  engine.Release();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(ScriptEngineBounds, AllocationPastTheMemoryLimitFailsAsScriptError) {
  MemoryLimit limit(16u << 20);
  Engine engine = JavaScriptEngine();
  ASSERT_TRUE(engine);
  EXPECT_FALSE(engine.EvalBool("var s = 'x'; for (;;) { s = s + s } true"));
  EXPECT_FALSE(engine.EvalBool("var a = []; for (var i = 0; ; i++) a.push({ n: i }); true"));
  EXPECT_TRUE(engine.AddCode("a = null; s = null"));
  EXPECT_EQ(engine.EvalNumber("new Array(1000).join('ab').length"), 1998);
}

TEST(ScriptEngineBounds, TooSmallMemoryLimitMakesCreationFail) {
  MemoryLimit limit(1024);
  EXPECT_FALSE(Engine::Create());
}

void ExpectDeepNestingFails() {
  Engine engine = JavaScriptEngine();
  const int depth = 100000;
  const std::string nested = std::string(depth, '[') + std::string(depth, ']');
  EXPECT_FALSE(engine.AddCode("var deep = " + nested));
  EXPECT_FALSE(engine.EvalBool("JSON.parse('" + nested + "') != null"));
  EXPECT_FALSE(engine.EvalBool("var d = []; for (var i = 0; i < " + std::to_string(depth) +
                               "; i++) d = [d]; JSON.stringify(d) != ''"));
  EXPECT_FALSE(engine.EvalBool("function r(n) { return n ? 1 + r(n - 1) : 1 } r(" + std::to_string(depth * 10) + ")"));
  EXPECT_FALSE(engine.EvalBool("String(d) == ''"));
  EXPECT_FALSE(engine.EvalBool("new RegExp('" + std::string(depth, '(') + std::string(depth, ')') + "') != null"));
  EXPECT_EQ(engine.EvalNumber("[[[[1]]]][0][0][0][0]"), 1);
}

TEST(ScriptEngineBounds, DeepNestingFailsCleanly) { ExpectDeepNestingFails(); }

TEST(ScriptEngineBounds, DeepNestingFailsCleanlyOnAWorkerThread) { std::thread(ExpectDeepNestingFails).join(); }

TEST(ScriptEngineBounds, FatalErrorBreaksOnlyThatInstance) {
  Engine broken = JavaScriptEngine();
  Engine other = JavaScriptEngine();
  ASSERT_TRUE(broken.AddCode("var v = 1"));
  script_engine::RaiseFatalErrorForTest(broken);
  EXPECT_FALSE(broken.EvalBool("v == 1"));
  EXPECT_EQ(broken.EvalText("'x'"), "");
  EXPECT_EQ(other.EvalNumber("2"), 2);
}

}  // namespace
