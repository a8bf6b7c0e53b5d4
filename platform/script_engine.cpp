#include "platform/script_engine.h"

#include <atomic>
#include <charconv>
#include <cmath>
#include <exception>

#include "platform/duk_heap.h"
#include "platform/duk_text.h"
#include "platform/thread.h"

namespace script_engine {

namespace {

std::atomic<bool> g_creationFails{false};
std::atomic<long long> g_timeLimitMs{10'000};
std::atomic<std::size_t> g_memoryLimit{std::size_t{1} << 30};

enum class Want { kNothing, kBool, kNumber, kText };

struct Call {
  const std::string* source;
  bool program;  // AddCode: declarations become fixed globals
  Want want;
};

// Runs inside duk_safe_call, so every error it raises is caught there. Leaves
// exactly one primitive: the completion value turned into what the caller
// wants as far as the script is needed for it (objects and String()).
duk_ret_t RunProtected(duk_context* ctx, void* udata) {
  const auto* call = static_cast<const Call*>(udata);
  duk_push_lstring(ctx, call->source->data(), call->source->size());
  duk_push_string(ctx, "script");
  duk_compile(ctx, call->program ? 0 : DUK_COMPILE_EVAL);
  duk_call(ctx, 0);
  switch (call->want) {
    case Want::kNothing:
      duk_pop(ctx);
      duk_push_undefined(ctx);
      break;
    case Want::kBool:
      if (!duk_check_type_mask(ctx, -1, DUK_TYPE_MASK_UNDEFINED | DUK_TYPE_MASK_NULL | DUK_TYPE_MASK_BOOLEAN |
                                            DUK_TYPE_MASK_NUMBER | DUK_TYPE_MASK_STRING)) {
        duk_pop(ctx);
        duk_push_true(ctx);  // an object is a value that exists
      }
      break;
    case Want::kNumber:
      if (!duk_check_type_mask(ctx, -1, DUK_TYPE_MASK_BOOLEAN | DUK_TYPE_MASK_NUMBER | DUK_TYPE_MASK_STRING)) {
        duk_pop(ctx);
        duk_push_int(ctx, 0);
      }
      break;
    case Want::kText:
      if (duk_is_null_or_undefined(ctx, -1)) {
        duk_pop(ctx);
        duk_push_string(ctx, "");
      } else {
        duk_to_string(ctx, -1);
      }
      break;
  }
  return 1;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

// A decimal number with optional sign, fraction and exponent, with blanks
// around it. Nothing else (no hex, no "Infinity") reads as a number.
bool ReadsAsNumber(std::string_view s, double& value) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  if (s.empty() || !(std::isdigit(static_cast<unsigned char>(s.front())) || s.front() == '.')) return false;
  double parsed = 0;
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), parsed, std::chars_format::general);
  if (end != s.data() + s.size()) return false;
  if (error == std::errc::result_out_of_range) {
    // from_chars leaves the value alone; the engine would give 0 or infinity.
    std::string copy(s);
    parsed = std::strtod(copy.c_str(), nullptr);
  } else if (error != std::errc()) {
    return false;
  }
  value = negative ? -parsed : parsed;
  return true;
}

}  // namespace

class Instance {
 public:
  explicit Instance(std::unique_ptr<duk_heap::BoundedHeap> heap) : heap_(std::move(heap)) {}

  bool SelectLanguage(const Text& language) {
    if (language != "JavaScript") return false;
    languageSelected_ = true;
    return true;
  }

  bool AddCode(const Text& code) { return Run(code, true, Want::kNothing); }

  bool EvalBool(const Text& code) {
    if (!Run(code, false, Want::kBool)) return false;
    return Take<bool>([](duk_context* ctx) {
      switch (duk_get_type(ctx, -1)) {
        case DUK_TYPE_BOOLEAN:
          return static_cast<bool>(duk_get_boolean(ctx, -1));
        case DUK_TYPE_NUMBER: {
          const double n = duk_get_number(ctx, -1);
          return n != 0 && !std::isnan(n);
        }
        case DUK_TYPE_STRING: {
          double n = 0;
          return ReadsAsNumber(duk_get_string(ctx, -1), n) && n != 0 && !std::isnan(n);
        }
        default:
          return false;
      }
    });
  }

  double EvalNumber(const Text& code) {
    if (!Run(code, false, Want::kNumber)) return 0;
    return Take<double>([](duk_context* ctx) {
      switch (duk_get_type(ctx, -1)) {
        case DUK_TYPE_BOOLEAN:
          return duk_get_boolean(ctx, -1) ? -1.0 : 0.0;
        case DUK_TYPE_NUMBER:
          return static_cast<double>(duk_get_number(ctx, -1));
        case DUK_TYPE_STRING: {
          double n = 0;
          return ReadsAsNumber(duk_get_string(ctx, -1), n) ? n : 0.0;
        }
        default:
          return 0.0;
      }
    });
  }

  Text EvalText(const Text& code) {
    if (!Run(code, false, Want::kText)) return {};
    return Take<Text>([](duk_context* ctx) {
      duk_size_t length = 0;
      const char* bytes = duk_get_lstring(ctx, -1, &length);
      return bytes ? duk_text::FromEngine(std::string_view(bytes, length)) : Text();
    });
  }

  void RaiseFatal() {
    if (!Usable()) return;
    Guarded([&] { duk_fatal(heap_->Context(), "fatal error raised for a test"); });
  }

 private:
  bool Usable() const { return languageSelected_ && !heap_->Broken(); }

  // Calls f, turning a fatal engine error into a broken instance. Duktape's
  // fatal handler must not return; built with C++ exceptions, it throws
  // duk_fatal_exception (a std::runtime_error) past every protected call.
  template <typename F>
  bool Guarded(F&& f) {
    try {
      f();
      return true;
    } catch (const std::exception&) {
      heap_->MarkBroken();
      return false;
    }
  }

  // Runs code; on success its coerced result is left on the value stack for
  // Take, which reads and pops it.
  bool Run(const Text& code, bool program, Want want) {
    thread_layer::SuspensionPoint();
    if (!Usable()) return false;
    const std::string source = duk_text::ToEngine(code);
    Call call{&source, program, want};
    duk_context* ctx = heap_->Context();
    const duk_idx_t top = duk_get_top(ctx);
    duk_int_t rc = DUK_EXEC_ERROR;
    heap_->StartDeadline(TimeLimit());
    const bool survived = Guarded([&] { rc = duk_safe_call(ctx, RunProtected, &call, 0, 1); });
    heap_->EndDeadline();
    if (!survived) return false;
    if (rc != DUK_EXEC_SUCCESS || want == Want::kNothing) {
      duk_set_top(ctx, top);  // drops the error or the result
      return rc == DUK_EXEC_SUCCESS;
    }
    return true;
  }

  template <typename T, typename Read>
  T Take(Read&& read) {
    duk_context* ctx = heap_->Context();
    T value = read(ctx);
    duk_pop(ctx);  // a primitive: popping it runs no script
    return value;
  }

  std::unique_ptr<duk_heap::BoundedHeap> heap_;
  bool languageSelected_ = false;
};

Engine Engine::Create() {
  thread_layer::SuspensionPoint();
  // An ending process starts no engine, so a worker still loading runs out fast.
  if (g_creationFails || thread_layer::IsProcessExiting()) return {};
  auto heap = duk_heap::BoundedHeap::Create(MemoryLimit());
  if (!heap) return {};
  return Engine(std::make_shared<Instance>(std::move(heap)));
}

bool Engine::SelectLanguage(const Text& language) { return instance_ && instance_->SelectLanguage(language); }
bool Engine::AddCode(const Text& code) { return instance_ && instance_->AddCode(code); }
bool Engine::EvalBool(const Text& code) { return instance_ && instance_->EvalBool(code); }
double Engine::EvalNumber(const Text& code) { return instance_ ? instance_->EvalNumber(code) : 0; }
Text Engine::EvalText(const Text& code) { return instance_ ? instance_->EvalText(code) : Text(); }

void SetCreationFails(bool fails) { g_creationFails = fails; }
void SetTimeLimit(std::chrono::milliseconds limit) { g_timeLimitMs = limit.count(); }
void SetMemoryLimit(std::size_t bytes) { g_memoryLimit = bytes; }
std::chrono::milliseconds TimeLimit() { return std::chrono::milliseconds(g_timeLimitMs.load()); }
std::size_t MemoryLimit() { return g_memoryLimit; }

void RaiseFatalErrorForTest(Engine& engine) {
  if (engine.instance_) engine.instance_->RaiseFatal();
}

}  // namespace script_engine
