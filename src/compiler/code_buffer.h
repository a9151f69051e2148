#pragma once
// The growable byte buffer in which code (and the expanded text of a function body) is built.
// It is the byte variant of the runner's stacks: its capacity grows by exactly `stack_step`
// bytes, and an append that cannot grow it drops the byte and counts one error, so a caller
// finds out afterwards, from `errors`, that the content lacks bytes.

#include "code/emit.h"
#include "context/stack.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace tovik::compiler {

struct CodeBuffer : runner::Stack<std::uint8_t> {
  explicit CodeBuffer(std::uint32_t step_bytes) : Stack(0), step(step_bytes) {}

  // The growth step, taken from the settings when the buffer is made.
  std::uint32_t step;

  std::span<const std::uint8_t> bytes() const { return {data(), count}; }
};

// append_byte when the buffer is full.
bool append_byte_growing(CodeBuffer& buffer, std::uint8_t byte);

// False (and the byte dropped, one more error counted) when the buffer cannot grow. Instructions
// are appended with `runner::emit`, which finds this through the buffer's type.
inline bool append_byte(CodeBuffer& buffer, std::uint8_t byte) {
  if (buffer.count >= buffer.capacity) return append_byte_growing(buffer, byte);
  buffer.push_unchecked(byte);
  return true;
}
// An operand's bytes stored at once when they fit, instead of with one check each; otherwise
// byte by byte, exactly as append_byte stores and counts them.
inline bool append_little_endian(CodeBuffer& buffer, std::uint64_t bits, int bytes) {
  if (buffer.capacity - buffer.count < static_cast<std::uint32_t>(bytes))
    return runner::append_little_endian<CodeBuffer>(buffer, bits, bytes);
  for (int i = 0; i < bytes; ++i) buffer.push_unchecked(static_cast<std::uint8_t>(bits >> (8 * i)));
  return true;
}

using runner::append_i32;
using runner::append_text;
using runner::emit;

// Overwrites the 32-bit integer at `position`; nothing when it does not lie within the buffer
// (after a dropped byte the positions no longer mean anything, and the content is discarded).
void patch_i32(CodeBuffer& buffer, std::uint32_t position, std::int32_t value);

// Points the displacement of the jump-like instruction at `from` to `target`; where the
// displacement lies follows from the instruction's layout.
void patch_displacement(CodeBuffer& buffer, std::uint32_t from, std::uint32_t target);

// Empties the buffer and releases its storage; the error count starts again from zero.
void clear_buffer(CodeBuffer& buffer);

} // namespace tovik::compiler
