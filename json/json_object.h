#pragma once
// One JSON document held in a script engine instance as the global variable
// named by m_name ("da"), read and changed by generated script texts.
// Paths are member expressions relative to the root ("" the root, "a.b",
// "[0]", "a[2].b"). Every object creates its own engine instance; copies share
// it. Failures show as false, 0, the empty text or -1, never as exceptions.
#include <memory>
#include <optional>

#include "platform/script_engine.h"
#include "platform/text.h"

class JsonObject {
 public:
  // Type codes of GetType.
  static constexpr int kMissing = 0;
  static constexpr int kBoolean = 1;
  static constexpr int kNumber = 2;
  static constexpr int kObject = 4;
  static constexpr int kArray = 5;
  static constexpr int kString = 6;
  static constexpr int kUnknown = -1;

  // Starts an engine instance (Init) holding an empty object.
  JsonObject();
  // Shares other's engine instance; no COM initialisation.
  JsonObject(const JsonObject& other);
  // Shares other's instance, dropping this object's own reference.
  JsonObject& operator=(const JsonObject& other);
  // Releases the engine reference and un-initialises COM once.
  ~JsonObject();

  void Init();
  // Replaces the document by the value of text, in a new engine instance made
  // on the calling thread. True when the value is neither null nor undefined.
  bool Parse(const Text& text);
  bool Clear();
  Text ToJson();

  // Omitted value texts read as empty ones.
  bool SetText(const Text& path = {}, const std::optional<Text>& value = {}, bool isJson = false);
  bool SetJson(const Text& path = {}, const std::optional<Text>& value = {});
  // Rewrites path to the full script expression of the value it names.
  bool ResolvePath(Text& path);
  bool Exists(const Text& path = {});
  int GetType(const Text& path = {});
  Text GetText(const Text& path = {}, bool asJson = false);
  int GetMemberNames(TextArray& names, const Text& path = {});
  int GetCount(const Text& path = {});
  std::unique_ptr<JsonObject> Extract(const Text& path = {});
  bool AppendItem(const std::optional<Text>& value = {}, const Text& path = {}, bool isJson = false);
  std::unique_ptr<JsonObject> ExtractItem(int index = 0, const Text& path = {});
  Text GetItemText(int index = 0, const Text& path = {}, bool asJson = false);
  bool SetItem(int index = 0, const Text& path = {}, const std::optional<Text>& value = {}, bool isJson = false);
  bool RemoveItem(int index = 0, const Text& path = {});
  bool Delete(const Text& path = {});
  bool SetNumber(const Text& path = {}, double number = 0);
  double GetNumber(const Text& path = {});
  Text GetJson(const Text& path = {});
  // A new reference to the engine instance; empty when the object has none.
  script_engine::Engine GetEngine() const;

  Text m_name;
  script_engine::Engine m_engine;

 private:
  Text Resolved(const Text& path);
  Text JsonOf(const Text& expression);
};
