#pragma once
// The JavaScript engine behind the JSON object: instances with their own
// global scope that run code and hand back completion values.
//
// Scripts come from data files and are untrusted: an instance has no host
// functions at all, one call that runs past the time limit is stopped, an
// instance cannot allocate past the memory limit, and deep recursion stops
// before the native stack does. A script error of any kind makes the call
// fail (false, 0 or the empty text); nothing is printed or thrown.
// Texts cross the boundary as GBK; a character without a GBK form comes back
// as "?".
#include <chrono>
#include <cstddef>
#include <memory>

#include "platform/text.h"

namespace script_engine {

class Instance;

// A counted reference to an engine instance, or empty. Copies share the
// instance; it ends with its last reference. An empty reference fails every
// call. One instance is used by one thread at a time.
class Engine {
 public:
  Engine() = default;

  // A fresh instance; empty when creation fails.
  static Engine Create();

  explicit operator bool() const { return instance_ != nullptr; }

  // Only "JavaScript" is known; code runs only after it has been selected.
  bool SelectLanguage(const Text& language);

  // Runs code as a program in the global scope: var and function declarations
  // become globals. True when it ran without error.
  bool AddCode(const Text& code);

  // Run code in the global scope and coerce its completion value.
  // Boolean: true, a non-zero number, a text reading as a non-zero number, and
  // any object are true. Number: true -1, false 0, a text reading as a number
  // that number, anything else 0. Text: a string itself, undefined and null
  // the empty text, any other value as the script's String() gives it.
  bool EvalBool(const Text& code);
  double EvalNumber(const Text& code);
  Text EvalText(const Text& code);

  // A second reference to the same instance.
  Engine Share() const { return *this; }

  // Drops this reference, leaving it empty.
  void Release() { instance_.reset(); }

 private:
  friend void RaiseFatalErrorForTest(Engine& engine);
  explicit Engine(std::shared_ptr<Instance> instance) : instance_(std::move(instance)) {}
  std::shared_ptr<Instance> instance_;
};

// Switches for tests. Creation failing reaches the state "without engine".
// The limits apply to instances created (memory) or calls started (time)
// after the change. Defaults: 10 s per call, 1 GiB per instance.
void SetCreationFails(bool fails);
void SetTimeLimit(std::chrono::milliseconds limit);
void SetMemoryLimit(std::size_t bytes);
std::chrono::milliseconds TimeLimit();
std::size_t MemoryLimit();

// For tests: makes the instance hit a fatal engine error, as an internal
// failure of the engine would. The instance is broken from then on and fails
// every call; the process goes on.
void RaiseFatalErrorForTest(Engine& engine);

}  // namespace script_engine
