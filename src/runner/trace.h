#pragma once
// The execution trace for developers. Configured with -DTOVIK_TRACE=ON, the runner writes one
// line before every instruction it executes; in other builds the call is compiled out.

#include "context/stack.h"

#include <cstdint>
#include <cstdio>
#include <span>

namespace tovik::runner {

#ifdef TOVIK_TRACE
inline constexpr bool trace_enabled = true;
#else
inline constexpr bool trace_enabled = false;
#endif

// Writes "TRACE | ", the instruction at `at` as the listing shows it, and Stack 1 before the
// instruction runs: " | ST1 (count) top" with the top value as "%g", or " | ST1 (0)" when it is
// empty; then a line end. Offsets count from the start of the block the instruction is in.
void trace_instruction(std::FILE* out, std::span<const std::uint8_t> block, std::uint32_t at,
                       const Stack<double>& values);

} // namespace tovik::runner
