#include "objects/global_object.h"

#include "code/opcodes.h"

namespace tovik::objects {

bool is_plain_block(const runner::CodeBlock& code) {
  return code.size() == plain_block_size && code.front() == byte_of(runner::Op::push) &&
         code.back() == byte_of(runner::Op::ret);
}

double plain_block_value(const runner::CodeBlock& code) { return runner::read_f64(&code[1]); }

runner::CodeBlock make_plain_block(double value) {
  runner::CodeBlock code(plain_block_size);
  code.front() = byte_of(runner::Op::push);
  code.back() = byte_of(runner::Op::ret);
  store_plain_value(code, value);
  return code;
}

void store_plain_value(runner::CodeBlock& code, double value) {
  runner::write_f64(&code[1], value);
}

} // namespace tovik::objects
