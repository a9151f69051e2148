#pragma once
// The machine state shared by every run: the value stack, the argument-group stack, the
// call-frame stack and the frame registers.

#include "lang/number.h"
#include "runner/stack.h"

#include <cstdint>

namespace tovik::runner {

struct MachineState {
  Stack<double> values{lang::error_value()};  // Stack 1
  Stack<std::int32_t> groups{0};              // Stack 2
  Stack<std::int32_t> frames{0};              // stack 3
  std::uint32_t home = 0;
  std::uint32_t argn = 0;
  std::uint32_t locals = 0;
  std::uint32_t locals_base = 0;

  std::uint64_t reserved_bytes() const {
    return std::uint64_t(values.capacity) * 8 + std::uint64_t(groups.capacity) * 4 +
           std::uint64_t(frames.capacity) * 4;
  }
  bool any_in_use() const { return values.count || groups.count || frames.count; }
};

} // namespace tovik::runner
