#pragma once
// The machine state shared by the runs: the value stack, the argument-group stack, the
// call-frame stack and the frame registers.

#include "code/code_block.h"
#include "context/stack.h"
#include "lang/number.h"

#include <cstdint>
#include <vector>

namespace tovik::runner {

struct MachineState {
  Stack<double> values{lang::error_value()}; // Stack 1
  Stack<std::int32_t> groups{0};             // Stack 2
  Stack<std::int32_t> frames{0};             // stack 3: return position, home, argn, locals
  std::uint32_t home = 0;
  std::uint32_t argn = 0;
  std::uint32_t locals = 0;
  std::uint32_t locals_base = 0;

  // Kept across nested runs: how many runs are suspended in a RUN instruction, and the
  // pseudo-random generator, which is never seeded.
  std::uint32_t run_depth = 0;
  std::uint32_t random_state = 1;

  std::uint64_t reserved_bytes() const {
    return std::uint64_t(values.capacity) * 8 + std::uint64_t(groups.capacity) * 4 +
           std::uint64_t(frames.capacity) * 4;
  }
  bool any_in_use() const { return values.count || groups.count || frames.count; }
  std::uint32_t error_sum() const { return values.errors + groups.errors + frames.errors; }
};

// Exchanges everything one run works on (stacks and registers), so that a run can
// be suspended while another one uses the machine.
void swap_run_state(MachineState& a, MachineState& b);

} // namespace tovik::runner
