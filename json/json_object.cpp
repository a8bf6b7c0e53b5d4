#include "json/json_object.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "json/support_script.h"
#include "platform/com.h"

namespace {

// Turns the backslash substitute of plain texts back into backslashes once
// the text has been formed.
constexpr const char* kUnsubstitute = R"(.replace(str_reg, '\\'))";

// Plain values go into a script literal in apostrophes. Text::Replace steps
// by GBK characters, so a second byte is never taken for a backslash.
Text EscapeForLiteral(const Text& value) {
  Text escaped = text::Replace(value, "\\", "\\\\");
  escaped = text::Replace(escaped, "'", "\\'");
  escaped = text::Replace(escaped, "\"", "\\\"");
  escaped = text::Replace(escaped, "\r", "\\r");
  return text::Replace(escaped, "\n", "\\n");
}

Text ItemValue(const Text& value, bool isJson) { return isJson ? value : "'" + value + "'"; }

// "%.13g", independent of the C locale (which the GUI runtime may change).
Text FormatNumber(double number) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::general, 13);
  return Text(buffer, result.ptr);
}

int TruncateToInt(double number) {
  if (std::isnan(number)) return 0;
  if (number >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  if (number <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  return static_cast<int>(number);
}

}  // namespace

JsonObject::JsonObject() : m_name("da") { Init(); }

JsonObject::JsonObject(const JsonObject& other) : m_name(other.m_name), m_engine(other.m_engine.Share()) {}

JsonObject& JsonObject::operator=(const JsonObject& other) {
  if (this != &other) {
    m_name = other.m_name;
    m_engine = other.m_engine.Share();
  }
  return *this;
}

JsonObject::~JsonObject() {
  m_engine.Release();
  CoUninitialize();
}

void JsonObject::Init() {
  CoInitialize(nullptr);
  script_engine::Engine created = script_engine::Engine::Create();
  if (!created) return;
  m_engine = std::move(created);
  m_engine.SelectLanguage("JavaScript");
  m_engine.AddCode(json::SupportScript());
  m_engine.EvalBool("var " + m_name + " = {}, str_Code = String.fromCharCode(9216), str_reg = new RegExp(str_Code, 'g')");
}

bool JsonObject::Parse(const Text& text) {
  if (m_engine) {
    m_engine.Release();
    Init();
  }
  if (!m_engine) return false;
  m_engine.EvalBool("var " + m_name + " = null");
  m_engine.AddCode("var " + m_name + " = eval(" + text + ")");
  return m_engine.EvalBool(m_name + " != null");
}

bool JsonObject::Clear() { return m_engine.EvalBool(m_name + " = {}"); }

Text JsonObject::ToJson() { return JsonOf(m_name); }

bool JsonObject::SetText(const Text& path, const std::optional<Text>& value, bool isJson) {
  Text p = path;
  const Text v = value.value_or(Text());
  const bool exists = ResolvePath(p);
  if (isJson) {
    // An empty value stands for an empty object in both branches.
    const Text json = v.empty() ? Text("{}") : v;
    if (exists) return m_engine.EvalBool(p + " = get__extend(" + p + ", " + json + ")");
    return m_engine.EvalBool(p + " = eval(" + json + ")");
  }
  return m_engine.EvalBool(p + " = '" + EscapeForLiteral(v) + R"('.replace(/\\/g, str_Code))");
}

bool JsonObject::SetJson(const Text& path, const std::optional<Text>& value) {
  return m_engine.EvalBool(Resolved(path) + " = eval(" + value.value_or(Text()) + ")");
}

bool JsonObject::ResolvePath(Text& path) {
  if (path.starts_with(m_name) && m_engine.EvalBool(path + " != null")) return true;
  if (path.empty()) {
    path = m_name;
  } else if (path.front() == '[') {
    path = m_name + path;
  } else {
    path = m_name + "." + path;
  }
  return m_engine.EvalBool(path + " != null");
}

bool JsonObject::Exists(const Text& path) {
  Text p = path;
  return ResolvePath(p);
}

int JsonObject::GetType(const Text& path) {
  const Text p = Resolved(path);
  if (m_engine.EvalBool(p + " == null")) return kMissing;
  const Text type = m_engine.EvalText("Object.prototype.toString.call(" + p + ")");
  if (type == "[object String]") return kString;
  if (type == "[object Array]") return kArray;
  if (type == "[object Object]") return kObject;
  if (type == "[object Number]") return kNumber;
  if (type == "[object Boolean]") return kBoolean;
  return kUnknown;
}

Text JsonObject::GetText(const Text& path, bool asJson) {
  const Text p = Resolved(path);
  if (asJson) return JsonOf(p);
  return m_engine.EvalText(p + ".toString()" + kUnsubstitute);
}

int JsonObject::GetMemberNames(TextArray& names, const Text& path) {
  names = text::Split(m_engine.EvalText("get__name_All(" + Resolved(path) + ")"), "\r\n");
  return static_cast<int>(names.size());
}

int JsonObject::GetCount(const Text& path) {
  return TruncateToInt(m_engine.EvalNumber("get__count(" + Resolved(path) + ")"));
}

std::unique_ptr<JsonObject> JsonObject::Extract(const Text& path) {
  auto copy = std::make_unique<JsonObject>();
  copy->Parse(JsonOf(Resolved(path)));
  return copy;
}

bool JsonObject::AppendItem(const std::optional<Text>& value, const Text& path, bool isJson) {
  const Text p = Resolved(path);
  const Text v = ItemValue(value.value_or(Text()), isJson);
  return m_engine.EvalBool("if (Object.prototype.toString.call(" + p + ") != '[object Array]') { " + p +
                           " = new Array() } " + p + ".push(" + v + ")");
}

std::unique_ptr<JsonObject> JsonObject::ExtractItem(int index, const Text& path) {
  auto copy = std::make_unique<JsonObject>();
  copy->Parse(JsonOf(Resolved(path) + "[" + std::to_string(index) + "]"));
  return copy;
}

Text JsonObject::GetItemText(int index, const Text& path, bool asJson) {
  const Text item = Resolved(path) + "[" + std::to_string(index) + "]";
  if (asJson) return JsonOf(item);
  return m_engine.EvalText(item + kUnsubstitute);
}

bool JsonObject::SetItem(int index, const Text& path, const std::optional<Text>& value, bool isJson) {
  const Text p = Resolved(path);
  return m_engine.EvalBool(p + "[" + std::to_string(index) + "] = " + ItemValue(value.value_or(Text()), isJson));
}

bool JsonObject::RemoveItem(int index, const Text& path) {
  return m_engine.EvalBool(Resolved(path) + ".splice(" + std::to_string(index) + ", 1)");
}

bool JsonObject::Delete(const Text& path) { return m_engine.EvalBool("delete " + Resolved(path)); }

bool JsonObject::SetNumber(const Text& path, double number) {
  const Text p = Resolved(path);
  // No script literal spells infinity or NaN: the store fails, as a script
  // error would, without evaluating whatever the text would name.
  if (!std::isfinite(number)) return false;
  return m_engine.EvalBool(p + " = " + FormatNumber(number));
}

double JsonObject::GetNumber(const Text& path) { return m_engine.EvalNumber(Resolved(path)); }

Text JsonObject::GetJson(const Text& path) { return JsonOf(Resolved(path)); }

script_engine::Engine JsonObject::GetEngine() const { return m_engine.Share(); }

// The caller's path stays as it is: the resolution works on a copy.
Text JsonObject::Resolved(const Text& path) {
  Text p = path;
  ResolvePath(p);
  return p;
}

Text JsonObject::JsonOf(const Text& expression) {
  return m_engine.EvalText("JSON.stringify(" + expression + ")" + kUnsubstitute);
}
