#pragma once
// Run result codes: 0 for success, otherwise the reason a run stopped. A three-digit code 0x1XY
// names instruction 0xXY, a four-digit code 0x1XYZ names instruction 0xXY with detail Z.

#include <cstdint>

namespace tovik::runner {

inline constexpr std::int32_t run_ok = 0;
inline constexpr std::int32_t run_no_code = 0x3;
inline constexpr std::int32_t run_unknown_command = 0x4;
inline constexpr std::int32_t run_broken = 0x5;
// The code would read outside its block: an operand that runs past the end, a jump or return
// position outside it, or the end reached without a RETURN. Blocks typed in hexadecimal or read
// from files can hold anything, so this is checked, never assumed.
inline constexpr std::int32_t run_left_block = 0x6;
inline constexpr std::int32_t run_thread_mismatch = 0xF;
inline constexpr std::int32_t run_stack_errors = 0x30;
inline constexpr std::int32_t run_no_thread_memory = 0x41;
// RUN met while too many runs are already suspended in RUN instructions.
inline constexpr std::int32_t run_nested_too_deep = 0x121;
// A call frame could not be pushed on stack 3 (runaway recursion).
inline constexpr std::int32_t run_frame_push_failed = 0x1113;

// The group code of an opcode byte that names no instruction.
constexpr std::int32_t unknown_opcode_result(std::uint8_t op) {
  return op >= 0x80 ? run_unknown_command : 0x200 + ((op >> 4) << 4);
}

} // namespace tovik::runner
