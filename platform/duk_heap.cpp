#include "platform/duk_heap.h"

#include <pthread.h>

#include <cstdint>
#include <cstdlib>
#include <exception>
#include <new>

namespace duk_heap {

// Every block carries this header, so the arena can count its bytes and, for
// a broken heap, free what Duktape still holds without running Duktape.
struct alignas(std::max_align_t) BlockHeader {
  BlockHeader* prev;
  BlockHeader* next;
  std::size_t size;
};

struct Arena {
  std::size_t limit = 0;
  std::size_t used = 0;
  BlockHeader ring{&ring, &ring, 0};
  std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::min();

  void Link(BlockHeader* b) {
    b->prev = ring.prev;
    b->next = &ring;
    ring.prev->next = b;
    ring.prev = b;
  }
  static void Unlink(BlockHeader* b) {
    b->prev->next = b->next;
    b->next->prev = b->prev;
  }
  bool Fits(std::size_t freed, std::size_t wanted) const {
    return wanted <= limit && used - freed <= limit - wanted;
  }
  void FreeAll() {
    while (ring.next != &ring) {
      BlockHeader* b = ring.next;
      Unlink(b);
      std::free(b);
    }
    used = 0;
  }
};

namespace {

BlockHeader* HeaderOf(void* p) { return static_cast<BlockHeader*>(p) - 1; }

void* Alloc(void* udata, duk_size_t size) {
  auto* arena = static_cast<Arena*>(udata);
  if (size == 0 || !arena->Fits(0, size) || size > SIZE_MAX - sizeof(BlockHeader)) return nullptr;
  auto* b = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + size));
  if (!b) return nullptr;
  b->size = size;
  arena->Link(b);
  arena->used += size;
  return b + 1;
}

void Free(void* udata, void* p) {
  if (!p) return;
  auto* arena = static_cast<Arena*>(udata);
  BlockHeader* b = HeaderOf(p);
  Arena::Unlink(b);
  arena->used -= b->size;
  std::free(b);
}

void* Realloc(void* udata, void* p, duk_size_t size) {
  if (!p) return Alloc(udata, size);
  if (size == 0) {
    Free(udata, p);
    return nullptr;
  }
  auto* arena = static_cast<Arena*>(udata);
  BlockHeader* b = HeaderOf(p);
  if (!arena->Fits(b->size, size) || size > SIZE_MAX - sizeof(BlockHeader)) return nullptr;
  auto* moved = static_cast<BlockHeader*>(std::realloc(b, sizeof(BlockHeader) + size));
  if (!moved) return nullptr;  // the old block is untouched and still linked
  moved->prev->next = moved;
  moved->next->prev = moved;
  arena->used = arena->used - moved->size + size;
  moved->size = size;
  return moved + 1;
}

// Lowest usable address of the calling thread's stack, found once per thread.
struct StackBounds {
  std::uintptr_t low = 0;
  std::uintptr_t margin = 0;
  StackBounds() {
    pthread_attr_t attr;
    if (pthread_getattr_np(pthread_self(), &attr) != 0) return;
    void* address = nullptr;
    std::size_t size = 0;
    if (pthread_attr_getstack(&attr, &address, &size) == 0 && size > 0) {
      low = reinterpret_cast<std::uintptr_t>(address);
      // Room for the deepest stretch Duktape runs between two checks, with
      // plenty to spare for sanitizer builds' bigger frames.
      margin = size >= 4 * kMargin ? kMargin : size / 4;
    }
    pthread_attr_destroy(&attr);
  }
  static constexpr std::uintptr_t kMargin = 512 * 1024;
};

}  // namespace

BoundedHeap::BoundedHeap(Passkey) : arena_(std::make_unique<Arena>()) {}

std::unique_ptr<BoundedHeap> BoundedHeap::Create(std::size_t memoryLimit) {
  auto heap = std::make_unique<BoundedHeap>(Passkey{});
  heap->arena_->limit = memoryLimit;
  try {
    // No fatal handler of our own: with C++ exceptions Duktape's default one
    // throws duk_fatal_exception, which it never swallows itself.
    heap->context_ = duk_create_heap(Alloc, Realloc, Free, heap->arena_.get(), nullptr);
  } catch (const std::exception&) {
    heap->context_ = nullptr;
  }
  if (!heap->context_) return nullptr;  // the destructor frees any partial heap
  return heap;
}

BoundedHeap::~BoundedHeap() {
  if (context_ && !broken_) {
    EndDeadline();
    try {
      duk_destroy_heap(context_);
    } catch (const std::exception&) {
      // Nothing more to do with Duktape; the blocks go below.
    }
  }
  arena_->FreeAll();
}

void BoundedHeap::StartDeadline(std::chrono::milliseconds limit) {
  arena_->deadline = std::chrono::steady_clock::now() + limit;
}

void BoundedHeap::EndDeadline() { arena_->deadline = std::chrono::steady_clock::time_point::min(); }

std::size_t BoundedHeap::BytesInUse() const { return arena_->used; }

}  // namespace duk_heap

// Called by Duktape's executor every so many instructions (duk_config.h).
int examtext_duk_timed_out(void* heapUserData) {
  const auto* arena = static_cast<const duk_heap::Arena*>(heapUserData);
  return std::chrono::steady_clock::now() >= arena->deadline ? 1 : 0;
}

// Called by Duktape before recursing in the compiler, JSON, regexp and calls.
int examtext_duk_native_stack_low() {
  thread_local const duk_heap::StackBounds bounds;
  if (bounds.low == 0) return 0;
  const auto here = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
  return here < bounds.low + bounds.margin ? 1 : 0;
}
