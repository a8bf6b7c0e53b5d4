// The support script's helpers, and its JSON supplement loaded into instances
// whose engine JSON was taken away first.
#include "json/support_script.h"

#include <gtest/gtest.h>

#include "engine_switches.h"

namespace {

using script_engine::Engine;

TEST(SupportScript, IsOneLineOfAscii) {
  const Text& script = json::SupportScript();
  ASSERT_FALSE(script.empty());
  for (unsigned char c : script) {
    EXPECT_TRUE(c >= 0x20 && c < 0x7F) << static_cast<int>(c);
  }
}

TEST(SupportScript, KeepsTheEnginesOwnJson) {
  Engine engine = JavaScriptEngine();
  ASSERT_TRUE(engine.AddCode("var nativeStringify = JSON.stringify, nativeParse = JSON.parse;"));
  ASSERT_TRUE(engine.AddCode(json::SupportScript()));
  EXPECT_TRUE(engine.EvalBool("JSON.stringify === nativeStringify && JSON.parse === nativeParse"));
  EXPECT_TRUE(engine.EvalBool("Object.prototype.propertyIsEnumerable('toJSONString') && "
                              "Object.prototype.propertyIsEnumerable('parseJSON')"));
  EXPECT_EQ(engine.EvalText("({ a: [1] }).toJSONString()"), "{\"a\":[1]}");
  EXPECT_EQ(engine.EvalNumber("'[4]'.parseJSON()[0]"), 4);
  EXPECT_EQ(engine.EvalText("var k = []; for (var n in {}) k.push(n); k.join()"), "toJSONString,parseJSON");
}

TEST(SupportScriptHelpers, CountNamesAndExtend) {
  Engine engine = JavaScriptEngine();
  ASSERT_TRUE(engine.AddCode(json::SupportScript()));
  EXPECT_EQ(engine.EvalNumber("get__count([1, 2, 3])"), 3);
  EXPECT_EQ(engine.EvalNumber("get__count({ length: 3 })"), 0);
  EXPECT_EQ(engine.EvalNumber("get__count('abc')"), 0);
  EXPECT_EQ(engine.EvalText("get__name_All({ a: 1, f: function () {}, b: null })"), "a\r\nb");
  EXPECT_EQ(engine.EvalText("get__name_All([1])"), "");
  EXPECT_EQ(engine.EvalText("get__name_All(null)"), "");
  EXPECT_EQ(engine.EvalText("JSON.stringify(get__extend([1], { length: 1, 0: 'x' }))"), "[1,\"x\"]");
  EXPECT_EQ(engine.EvalText("var t = { f: function () { return 1 } }; get__extend(t, { f: 2 }); typeof t.f"),
            "function");
}

// Instances in which the supplement has to install its own JSON.
class JsonSupplement : public testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    engine = JavaScriptEngine();
    ASSERT_TRUE(engine.AddCode(GetParam()));
    ASSERT_TRUE(engine.EvalBool("typeof JSON == 'undefined' || JSON === 5"));
    ASSERT_TRUE(engine.AddCode(json::SupportScript()));
    ASSERT_TRUE(engine.EvalBool("typeof JSON.stringify == 'function' && typeof JSON.parse == 'function'"));
  }
  Engine engine;
};

TEST_P(JsonSupplement, StringifyWritesEcmaScript5Json) {
  struct Case {
    const char* code;
    const char* json;
  };
  const Case cases[] = {
      {"JSON.stringify({ a: [1, 'x', true, null], b: undefined, c: function () {} })",
       "{\"a\":[1,\"x\",true,null]}"},
      {"JSON.stringify([undefined, function () {}, 1 / 0, 0 / 0, -1.5])", "[null,null,null,null,-1.5]"},
      {"JSON.stringify({})", "{}"},
      {"JSON.stringify([])", "[]"},
      {"JSON.stringify('plain')", "\"plain\""},
      {"String(JSON.stringify(undefined))", "undefined"},
      {"function P() { this.own = 2 } P.prototype.inherited = 1; JSON.stringify(new P())", "{\"own\":2}"},
      {"JSON.stringify([new Number(3), new String('s'), new Boolean(false)])", "[3,\"s\",false]"},
      {"JSON.stringify([1, { a: 2 }], null, 2)", "[\n  1,\n  {\n    \"a\": 2\n  }\n]"},
      {"JSON.stringify({ a: 1 }, null, '--')", "{\n--\"a\": 1\n}"},
      {"JSON.stringify({ a: [] }, null, 20).split('\\n')[1]", "          \"a\": []"},
      {"JSON.stringify({ a: 1, b: 2 }, function (k, v) { return k === 'b' ? undefined : v })", "{\"a\":1}"},
      {"JSON.stringify({ a: 1, b: 2, c: 3 }, ['c', 'a'])", "{\"c\":3,\"a\":1}"},
      {"JSON.stringify({ toJSON: function (k) { return 'key:' + k } })", "\"key:\""},
  };
  for (const Case& c : cases) EXPECT_EQ(engine.EvalText(c.code), c.json) << c.code;
}

TEST_P(JsonSupplement, StringifyQuotesWithShortAndFourDigitEscapes) {
  EXPECT_EQ(engine.EvalText("JSON.stringify('\\b\\t\\n\\f\\r\"\\\\/a')"), "\"\\b\\t\\n\\f\\r\\\"\\\\/a\"");
  const char* const escaped[][2] = {
      {"0x01", "\\u0001"}, {"0x1f", "\\u001f"}, {"0x7f", "\\u007f"}, {"0x9f", "\\u009f"}, {"0xad", "\\u00ad"},
      {"0x600", "\\u0600"}, {"0x604", "\\u0604"}, {"0x70f", "\\u070f"}, {"0x17b4", "\\u17b4"},
      {"0x17b5", "\\u17b5"}, {"0x200c", "\\u200c"}, {"0x2028", "\\u2028"}, {"0x202f", "\\u202f"},
      {"0x2060", "\\u2060"}, {"0x206f", "\\u206f"}, {"0xfeff", "\\ufeff"}, {"0xfff0", "\\ufff0"},
      {"0xffff", "\\uffff"}, {"0", "\\u0000"}};
  for (const auto& e : escaped) {
    EXPECT_EQ(engine.EvalText(std::string("JSON.stringify(String.fromCharCode(") + e[0] + "))"),
              std::string("\"") + e[1] + "\"")
        << e[0];
  }
  // Neighbours of the ranges stay as they are.
  EXPECT_EQ(engine.EvalNumber("JSON.stringify(String.fromCharCode(0xa0, 0x605, 0x2030)).length"), 5);
}

TEST_P(JsonSupplement, StringifyRejectsBadReplacersAndCycles) {
  EXPECT_EQ(engine.EvalText("try { JSON.stringify({}, 'x'); 'no error' } catch (e) { e.message }"), "JSON.stringify");
  EXPECT_EQ(engine.EvalText("try { JSON.stringify({}, {}); 'no error' } catch (e) { e.message }"), "JSON.stringify");
  EXPECT_EQ(engine.EvalText("JSON.stringify({ a: 1 }, { length: 1, 0: 'a' })"), "{\"a\":1}");
  EXPECT_FALSE(engine.EvalBool("var c = {}; c.self = c; JSON.stringify(c) != ''"));
}

TEST_P(JsonSupplement, ParseAcceptsJsonAndRevives) {
  EXPECT_EQ(engine.EvalText("var p = JSON.parse(' {\"a\": [1, -2.5e1, true, null, {}], \"s\": \"x\\\\u0041\\\\n\"} ');"
                            "p.a[1] + '|' + p.a[2] + '|' + p.a[3] + '|' + p.s"),
            "-25|true|null|xA\n");
  EXPECT_EQ(engine.EvalText("JSON.stringify(JSON.parse('{\"a\":1,\"b\":[2]}', "
                            "function (k, v) { return typeof v === 'number' ? v * 10 : v }))"),
            "{\"a\":10,\"b\":[20]}");
  EXPECT_EQ(engine.EvalText("JSON.stringify(JSON.parse('{\"a\":1,\"b\":2}', "
                            "function (k, v) { return k === 'a' ? undefined : v }))"),
            "{\"b\":2}");
  EXPECT_EQ(engine.EvalNumber("JSON.parse('\"' + String.fromCharCode(0x2028) + '\"').charCodeAt(0)"), 0x2028);
}

TEST_P(JsonSupplement, ParseRaisesSyntaxErrorForAnythingElse) {
  // Script string literals holding the rejected texts.
  for (const char* literal : {"'{a:1}'", "\"'x'\"", "'alert(1)'", "'[1,]x'", "'(function(){})()'",
                              "'{\"a\":1}; x = 1'", "'new Date()'"}) {
    EXPECT_EQ(engine.EvalText(std::string("try { JSON.parse(") + literal +
                              "); 'accepted' } catch (e) { e.name + ':' + e.message }"),
              "SyntaxError:JSON.parse")
        << literal;
  }
  EXPECT_TRUE(engine.EvalBool("typeof x == 'undefined'"));
  // Nothing left is acceptable to the check; evaluating "()" then fails.
  EXPECT_EQ(engine.EvalText("try { JSON.parse(''); 'accepted' } catch (e) { e.name }"), "SyntaxError");
}

TEST_P(JsonSupplement, InstallsTheMethodsOnEveryObject) {
  EXPECT_EQ(engine.EvalText("[1, 'a'].toJSONString()"), "[1,\"a\"]");
  EXPECT_EQ(engine.EvalNumber("'{\"n\":3}'.parseJSON().n"), 3);
  EXPECT_EQ(engine.EvalText("({ a: 1, b: 2 }).toJSONString(['b'])"), "{\"b\":2}");
}

INSTANTIATE_TEST_SUITE_P(JsonRemoved, JsonSupplement,
                         testing::Values("delete JSON;", "JSON = undefined;", "JSON = 5;"));

TEST(JsonSupplementDates, ToJsonWritesUtcWithoutMilliseconds) {
  Engine engine = JavaScriptEngine();
  ASSERT_TRUE(engine.AddCode("delete JSON; delete Date.prototype.toJSON;"));
  ASSERT_TRUE(engine.AddCode(json::SupportScript()));
  EXPECT_EQ(engine.EvalText("JSON.stringify([new Date(Date.UTC(2020, 0, 2, 3, 4, 5, 678))])"),
            "[\"2020-01-02T03:04:05Z\"]");
  EXPECT_EQ(engine.EvalText("JSON.stringify({ d: new Date(NaN) })"), "{\"d\":null}");
  EXPECT_EQ(engine.EvalText("typeof String.prototype.toJSON"), "function");
}

}  // namespace
