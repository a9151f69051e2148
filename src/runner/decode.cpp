#include "runner/decode.h"

#include "code/code_block.h"

namespace tovik::runner {

namespace {

// Reads operands front to back; any read past the end marks the cursor failed.
class Cursor {
public:
  Cursor(std::span<const std::uint8_t> block, std::uint32_t at) : block_(block), at_(at) {}

  bool failed() const { return failed_; }
  std::uint32_t position() const { return at_; }

  std::span<const std::uint8_t> take(std::uint32_t n) {
    if (failed_ || block_.size() - at_ < n) {
      failed_ = true;
      return {};
    }
    auto bytes = block_.subspan(at_, n);
    at_ += n;
    return bytes;
  }
  std::uint8_t byte() {
    auto b = take(1);
    return b.empty() ? 0 : b[0];
  }
  std::int32_t i32() {
    auto b = take(4);
    return b.empty() ? 0 : read_i32(b.data());
  }
  double f64() {
    auto b = take(8);
    return b.empty() ? 0 : read_f64(b.data());
  }
  std::string_view zero_ended() {
    std::string_view s;
    if (failed_ || !zero_ended_at(block_.data(), block_.size(), at_, s)) {
      failed_ = true;
      return {};
    }
    at_ += std::uint32_t(s.size()) + 1;
    return s;
  }

private:
  std::span<const std::uint8_t> block_;
  std::uint32_t at_;
  bool failed_ = false;
};

void read_operands(Cursor& c, Instruction& ins) {
  switch (ins.layout) {
  case Layout::None: break;
  case Layout::F64: ins.value = c.f64(); break;
  case Layout::I32: ins.number = c.i32(); break;
  case Layout::Disp: ins.displacement = c.i32(); break;
  case Layout::I32Disp:
    ins.number = c.i32();
    ins.displacement = c.i32();
    break;
  case Layout::Code: ins.code = c.byte(); break;
  case Layout::CodeI32:
    ins.code = c.byte();
    ins.number = c.i32();
    break;
  case Layout::Name: ins.name = c.zero_ended(); break;
  case Layout::NameI32:
    ins.name = c.zero_ended();
    ins.number = c.i32();
    break;
  case Layout::Text: ins.text = c.zero_ended(); break;
  case Layout::Func:
    ins.name = c.zero_ended();
    ins.number = c.i32();
    ins.bytes = c.take(std::uint32_t(ins.number));
    ins.text = c.zero_ended();
    break;
  case Layout::Thread:
    ins.name = c.zero_ended();
    ins.number = c.i32();
    break;
  case Layout::Goto: ins.bytes = c.take(4); break;
  }
}

} // namespace

Instruction decode_instruction(std::span<const std::uint8_t> block, std::uint32_t at) {
  Instruction ins;
  ins.op = block[at];
  const OpcodeInfo& info = opcode_table[ins.op];
  if (!info.valid) return ins;
  ins.known = true;
  ins.layout = info.layout;
  Cursor cursor(block, at + 1);
  read_operands(cursor, ins);
  ins.complete = !cursor.failed();
  ins.length = ins.complete ? cursor.position() - at : std::uint32_t(block.size() - at);
  return ins;
}

} // namespace tovik::runner
