#include "compiler/code_buffer.h"

namespace tovik::compiler {

bool append_byte_growing(CodeBuffer& buffer, std::uint8_t byte) {
  if (!buffer.grow(buffer.step)) {
    ++buffer.errors;
    return false;
  }
  buffer.push_unchecked(byte);
  return true;
}

void patch_i32(CodeBuffer& buffer, std::uint32_t position, std::int32_t value) {
  if (std::uint64_t(position) + 4 > buffer.count) return;
  runner::write_i32(buffer.data() + position, value);
}

void patch_displacement(CodeBuffer& buffer, std::uint32_t from, std::uint32_t target) {
  if (from >= buffer.count) return;
  const runner::Layout layout = runner::opcode_table[buffer.data()[from]].layout;
  const std::uint32_t offset = runner::field_offset(layout, runner::Field::disp);
  if (offset != 0)
    patch_i32(buffer, from + offset, static_cast<std::int32_t>(std::int64_t(target) - from));
}

void clear_buffer(CodeBuffer& buffer) { buffer = CodeBuffer(buffer.step); }

} // namespace tovik::compiler
