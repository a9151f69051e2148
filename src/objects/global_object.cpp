#include "objects/global_object.h"

#include "code/emit.h"

namespace tovik::objects {

namespace {

// Where the value lies in the block.
constexpr std::size_t value_at = runner::field_offset(runner::Layout::F64, runner::Field::f64);

} // namespace

bool is_plain_block(const runner::CodeBlock& code) {
  return code.size() == plain_block_size && code.front() == byte_of(runner::Op::push) &&
         code.back() == byte_of(runner::Op::ret);
}

double plain_block_value(const runner::CodeBlock& code) {
  return runner::read_f64(&code[value_at]);
}

runner::CodeBlock make_plain_block(double value) {
  runner::CodeBlock code;
  code.reserve(plain_block_size);
  runner::emit(code, runner::Op::push, value);
  runner::emit(code, runner::Op::ret);
  return code;
}

void store_plain_value(runner::CodeBlock& code, double value) {
  runner::write_f64(&code[value_at], value);
}

} // namespace tovik::objects
