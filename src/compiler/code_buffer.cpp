#include "compiler/code_buffer.h"

#include <bit>

namespace tovik::compiler {

bool append_byte(CodeBuffer& buffer, std::uint8_t byte) {
  if (buffer.count >= buffer.capacity && !buffer.grow(buffer.step)) {
    ++buffer.errors;
    return false;
  }
  buffer.push_unchecked(byte);
  return true;
}

bool append_op(CodeBuffer& buffer, runner::Op op) {
  return append_byte(buffer, runner::byte_of(op));
}

bool append_i32(CodeBuffer& buffer, std::int32_t value) {
  auto v = static_cast<std::uint32_t>(value);
  bool stored = true;
  for (int i = 0; i < 4; ++i) stored &= append_byte(buffer, std::uint8_t(v >> (8 * i)));
  return stored;
}

bool append_f64(CodeBuffer& buffer, double value) {
  auto v = std::bit_cast<std::uint64_t>(value);
  bool stored = true;
  for (int i = 0; i < 8; ++i) stored &= append_byte(buffer, std::uint8_t(v >> (8 * i)));
  return stored;
}

bool append_text(CodeBuffer& buffer, std::string_view text) {
  bool stored = true;
  for (char c : text) stored &= append_byte(buffer, static_cast<std::uint8_t>(c));
  return stored;
}

bool append_name(CodeBuffer& buffer, std::string_view text) {
  bool stored = append_text(buffer, text);
  return append_byte(buffer, 0) && stored;
}

void patch_i32(CodeBuffer& buffer, std::uint32_t position, std::int32_t value) {
  if (std::uint64_t(position) + 4 > buffer.count) return;
  auto v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) buffer.data()[position + i] = std::uint8_t(v >> (8 * i));
}

void clear_buffer(CodeBuffer& buffer) { buffer = CodeBuffer(buffer.step); }

} // namespace tovik::compiler
