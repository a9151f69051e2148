#pragma once
// Decoding of one instruction with its operands, never reading outside the block. The listing
// uses it; anything that inspects code (a loader, a test) can too.

#include "code/opcodes.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace tovik::runner {

struct Instruction {
  std::uint8_t op = 0;
  Layout layout = Layout::None;
  bool known = false;       // a byte of the instruction table
  bool complete = true;     // every operand lies inside the block
  std::uint32_t length = 1; // bytes to the next instruction in byte order
  std::string_view name;    // Name, NameI32, Func, Thread
  std::string_view text;    // Text, Func
  std::int32_t number = 0;  // count or index; the code length of Func, the body of Thread
  std::int32_t displacement = 0;
  double value = 0;
  std::uint8_t code = 0;
  std::span<const std::uint8_t> bytes; // the code of Func, the four bytes after GOTO
};

// The instruction at `at` (which must lie inside the block). Unknown bytes decode as one-byte
// instructions; an instruction whose operands pass the end is marked incomplete and reaches to
// the end of the block.
Instruction decode_instruction(std::span<const std::uint8_t> block, std::uint32_t at);

// The position `displacement` bytes from `from`, when it lies inside a block of `size` bytes:
// jumps are checked at once, so that a bad displacement cannot wrap into the block.
inline bool jump_destination(std::uint32_t from, std::uint32_t size, std::int32_t displacement,
                             std::uint32_t& to) {
  std::int64_t target = std::int64_t(from) + displacement;
  if (target < 0 || target >= size) return false;
  to = std::uint32_t(target);
  return true;
}

} // namespace tovik::runner
