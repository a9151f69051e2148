#pragma once
// The runner's growable stacks. They grow by exactly `stack_step` elements and never shrink,
// because their capacities are shown to the user; a growth that fails (or would pass the upper
// bound) only raises the error counter.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

namespace tovik::runner {

// Upper bound of any stack, in elements; growth beyond it fails like a failed allocation, so
// runaway code cannot take all memory.
inline constexpr std::uint32_t stack_limit = 64u * 1024u * 1024u;

template <typename T> class Stack {
public:
  explicit Stack(T empty) : empty_value(empty) {}

  std::uint32_t count = 0;
  std::uint32_t capacity = 0;
  std::uint32_t errors = 0;
  T empty_value;

  T* data() { return items_.get(); }
  const T* data() const { return items_.get(); }

  // Makes room for `extra` more elements, growing by `step` past what is needed.
  bool ensure(std::uint64_t extra, std::uint32_t step) {
    std::uint64_t need = std::uint64_t(count) + extra;
    if (need <= capacity) return true;
    std::uint64_t target = extra == 1 ? std::uint64_t(capacity) + step : need + step;
    if (target > stack_limit) return false;
    return set_capacity(std::uint32_t(target));
  }

  // Allocates exactly n elements, keeping the elements in use.
  bool set_capacity(std::uint32_t n) {
    std::unique_ptr<T[]> fresh(new (std::nothrow) T[n > 0 ? n : 1]);
    if (!fresh) return false;
    std::copy_n(items_.get(), std::min(count, n), fresh.get());
    items_ = std::move(fresh);
    capacity = n;
    count = std::min(count, n);
    return true;
  }

  void push(T v, std::uint32_t step) {
    if (count >= capacity && !ensure(1, step)) {
      ++errors;
      return;
    }
    items_[count++] = v;
  }
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

private:
  std::unique_ptr<T[]> items_;
};

} // namespace tovik::runner
