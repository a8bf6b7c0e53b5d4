#pragma once
// A Duktape heap bounded for untrusted scripts: a memory ceiling enforced by
// its allocator, a deadline checked by the engine's interrupt counter, and the
// native stack check. Only the platform layer includes this header.
#include <chrono>
#include <cstddef>
#include <memory>

#include "duktape.h"

namespace duk_heap {

struct Arena;

class BoundedHeap {
  struct Passkey {};

 public:
  explicit BoundedHeap(Passkey);
  // Null when the heap cannot be made (for example: memoryLimit too small).
  static std::unique_ptr<BoundedHeap> Create(std::size_t memoryLimit);
  ~BoundedHeap();
  BoundedHeap(const BoundedHeap&) = delete;
  BoundedHeap& operator=(const BoundedHeap&) = delete;

  duk_context* Context() const { return context_; }

  // Scripts run only between StartDeadline and EndDeadline; outside (e.g.
  // finalizers run while the heap is destroyed) they time out at once.
  void StartDeadline(std::chrono::milliseconds limit);
  void EndDeadline();

  // After a fatal error the heap's state is unknown: it is never handed to
  // Duktape again, and its memory is released block by block instead.
  void MarkBroken() { broken_ = true; }
  bool Broken() const { return broken_; }

  std::size_t BytesInUse() const;

 private:
  std::unique_ptr<Arena> arena_;
  duk_context* context_ = nullptr;
  bool broken_ = false;
};

}  // namespace duk_heap
