#pragma once
// The runner's growable stacks. Their capacity, which the status line shows, grows by exactly
// `stack_step` elements and never shrinks; the storage behind it grows geometrically so that a
// deep stack is not copied once per step. A growth that fails, or would pass the stack's limit,
// only raises the error counter.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <type_traits>

namespace tovik::runner {

// Upper bound of any stack, in elements (128 MiB of values): growth beyond it fails like a
// failed allocation, so runaway code cannot take all memory.
inline constexpr std::uint32_t stack_limit = 16u * 1024u * 1024u;

template <typename T> class Stack {
  // The storage is grown in place with realloc: a large block is moved by remapping its pages,
  // not copied, and the part beyond the elements in use is never touched (so never made
  // resident) until pushes reach it. Nothing reads a slot at or above `count`.
  static_assert(std::is_trivially_copyable_v<T>);
  struct Release {
    void operator()(T* items) const { std::free(items); }
  };

public:
  explicit Stack(T empty) : empty_value(empty) {}

  std::uint32_t count = 0;
  std::uint32_t capacity = 0;
  std::uint32_t errors = 0;
  T empty_value;
  std::uint32_t limit = stack_limit;

  T* data() { return items_.get(); }
  const T* data() const { return items_.get(); }

  // Grows the capacity by one step (up to the limit) as a push onto a full stack does.
  bool grow(std::uint32_t step) {
    std::uint64_t target = std::min<std::uint64_t>(std::uint64_t(capacity) + step, limit);
    return target > capacity && fit(std::uint32_t(target));
  }

  // Room for n more elements, grown step by step exactly as n single pushes would grow it.
  bool make_room(std::uint32_t n, std::uint32_t step) {
    while (std::uint64_t(count) + n > capacity)
      if (!grow(step)) return false;
    return true;
  }

  // Adds n elements holding `fill`; the capacity becomes count + n + step when count + n
  // reaches it. False (and nothing added) when that passes the limit or memory runs out.
  bool reserve(std::uint32_t n, std::uint32_t step, T fill) {
    std::uint64_t need = std::uint64_t(count) + n;
    if (need > limit) return false;
    if (need >= capacity && !fit(std::uint32_t(std::min<std::uint64_t>(need + step, limit))))
      return false;
    std::fill_n(items_.get() + count, n, fill);
    count += n;
    return true;
  }

  // Allocates exactly n elements (at least one), keeping the elements in use that fit.
  bool set_capacity(std::uint32_t n) {
    std::uint32_t size = std::max<std::uint32_t>(n, 1);
    if (!resize(size)) return false;
    count = std::min(count, n);
    capacity = n;
    return true;
  }

  void push(T v, std::uint32_t step) {
    if (count >= capacity && !grow(step)) {
      ++errors;
      return;
    }
    items_[count++] = v;
  }
  // For callers that made room first.
  void push_unchecked(T v) { items_[count++] = v; }
  T pop() {
    if (count == 0) {
      ++errors;
      return empty_value;
    }
    return items_[--count];
  }
  T peek() {
    if (count == 0) {
      ++errors;
      return empty_value;
    }
    return items_[count - 1];
  }
  void drop(std::uint32_t n) { count -= std::min(n, count); }

private:
  // Raises the capacity to `target`, reallocating only when the storage is too small.
  bool fit(std::uint32_t target) {
    if (target <= allocated_) {
      capacity = target;
      return true;
    }
    std::uint64_t size = std::min<std::uint64_t>(
        std::max<std::uint64_t>(target, std::uint64_t(allocated_) * 2), std::max(limit, target));
    if (!resize(std::uint32_t(size))) return false;
    capacity = target;
    return true;
  }

  // Makes the storage exactly `size` elements, keeping the first min(size, allocated) of them.
  bool resize(std::uint32_t size) {
    void* grown = std::realloc(items_.get(), std::size_t(size) * sizeof(T));
    if (grown == nullptr) return false;
    items_.release();
    items_.reset(static_cast<T*>(grown));
    allocated_ = size;
    return true;
  }

  std::unique_ptr<T[], Release> items_;
  std::uint32_t allocated_ = 0;
};

} // namespace tovik::runner
