#pragma once
// Scoped settings of the script engine's test switches, restored on exit.
#include <chrono>
#include <cstddef>

#include "platform/script_engine.h"

class CreationFails {
 public:
  CreationFails() { script_engine::SetCreationFails(true); }
  ~CreationFails() { script_engine::SetCreationFails(false); }
  CreationFails(const CreationFails&) = delete;
  CreationFails& operator=(const CreationFails&) = delete;
};

class TimeLimit {
 public:
  explicit TimeLimit(std::chrono::milliseconds limit) : old_(script_engine::TimeLimit()) {
    script_engine::SetTimeLimit(limit);
  }
  ~TimeLimit() { script_engine::SetTimeLimit(old_); }
  TimeLimit(const TimeLimit&) = delete;
  TimeLimit& operator=(const TimeLimit&) = delete;

 private:
  std::chrono::milliseconds old_;
};

class MemoryLimit {
 public:
  explicit MemoryLimit(std::size_t bytes) : old_(script_engine::MemoryLimit()) {
    script_engine::SetMemoryLimit(bytes);
  }
  ~MemoryLimit() { script_engine::SetMemoryLimit(old_); }
  MemoryLimit(const MemoryLimit&) = delete;
  MemoryLimit& operator=(const MemoryLimit&) = delete;

 private:
  std::size_t old_;
};

// A created instance with JavaScript selected.
inline script_engine::Engine JavaScriptEngine() {
  script_engine::Engine engine = script_engine::Engine::Create();
  if (engine) engine.SelectLanguage("JavaScript");
  return engine;
}
