// Standard objects, global objects and the console: the instructions that reach outside the
// machine state.

#include "code/opcodes.h"
#include "context/context.h"
#include "lang/number.h"
#include "runner/dispatch.h"
#include "runner/integer.h"
#include "runner/operators.h"
#include "runner/run_result.h"

#include <new>
#include <string>

namespace tovik::runner {

namespace {

// Characters one READ takes from a line.
constexpr std::size_t read_bound = 254;

} // namespace

std::int32_t Dispatch::standard(std::uint8_t code, std::uint32_t n, StandardFailures failures) {
  double result;
  switch (standard_object(m_, code, n, result)) {
  case operator_ok: break;
  case operator_rnd_arguments: return failures.rnd_arguments;
  default: return failures.unknown;
  }
  m_.values.push(result, step_);
  return keep_going;
}

std::int32_t Dispatch::standard_popped(std::uint8_t code) {
  std::uint32_t n = 0;
  if (!to_count(m_.values.pop(), n)) return run_stdo_pop_bad_count;
  if (m_.values.count < n) return run_stdo_pop_too_few;
  return standard(code, n, {run_stdo_pop_unknown, run_stdo_pop_rnd_arguments});
}

std::int32_t Dispatch::standard_with_total(std::uint8_t code) {
  std::uint32_t n = 0;
  if (std::int32_t r = argument_total(run_stdo_args_no_group, n); r != keep_going) return r;
  if (m_.values.count < n) return run_stdo_args_too_few;
  return standard(code, n, {run_stdo_args_unknown, run_stdo_args_rnd_arguments});
}

std::int32_t Dispatch::set_global(std::uint8_t op, std::uint32_t& pc) {
  pin_blocks();
  std::string_view name;
  if (!read_name(pc + 1, name, pc)) return run_left_block;
  if (op == byte_of(Op::set_pop)) {
    ctx_.objects.set_value(name, m_.values.pop());
    return keep_going;
  }
  if (ctx_.objects.set_value(name, m_.values.peek()) == 0) {
    m_.values.pop();
    m_.values.push(lang::error_value(), step_);
    return run_set_refused;
  }
  return keep_going;
}

// FUNC carries a whole code block and its text; the table gets copies of both.
std::int32_t Dispatch::define_function(std::uint32_t& pc) {
  pin_blocks();
  std::string_view name, text;
  std::uint32_t at = 0;
  if (!read_name(pc + 1, name, at) || size_ - at < 4) return run_left_block;
  auto length = std::uint32_t(read_i32(code_ + at));
  at += 4;
  if (size_ - at < length || !read_name(at + length, text, pc)) return run_left_block;
  std::uint8_t defined = 0;
  try {
    auto block = std::make_shared<CodeBlock>(code_ + at, code_ + at + length);
    defined = ctx_.objects.define_object(name, std::move(block), text);
  } catch (const std::bad_alloc&) {
    return run_func_no_memory;
  }
  return defined == 0 ? run_func_refused : keep_going;
}

std::int32_t Dispatch::delete_object(std::uint32_t& pc) {
  pin_blocks();
  std::string_view name;
  if (!read_name(pc + 1, name, pc)) return run_left_block;
  ctx_.objects.remove_object(name);
  return keep_going;
}

std::int32_t Dispatch::print_text(std::uint32_t& pc) {
  std::string_view text;
  if (!read_name(pc + 1, text, pc)) return run_left_block;
  std::fwrite(text.data(), 1, text.size(), ctx_.out);
  return keep_going;
}

// A console line run from code may run code of its own: that run gets a machine state of its
// own, and the suspended run's stacks, registers and counters come back untouched.
std::int32_t Dispatch::run_line(std::uint32_t& pc) {
  pin_blocks();
  std::string_view text;
  if (!read_name(pc + 1, text, pc)) return run_left_block;
  if (m_.run_depth >= max_run_depth) return run_nested_too_deep;
  MachineState suspended;
  swap_run_state(m_, suspended);
  ++m_.run_depth;
  if (ctx_.run_line) ctx_.run_line(ctx_, text);
  --m_.run_depth;
  swap_run_state(m_, suspended);
  step_ = ctx_.settings.stack_step;
  return keep_going;
}

void Dispatch::print_char() {
  std::int64_t value = truncate_to_int64(m_.values.pop());
  std::fputc(static_cast<unsigned char>(value & 0xFF), ctx_.out);
}

// One line, or its first 254 characters, is read as a number; the rest of a longer line waits
// for the next read. At the end of the input the value is missing.
void Dispatch::read_line_number() {
  std::string line;
  if (!ctx_.read_line || !ctx_.read_line(ctx_, line, read_bound)) {
    m_.values.push(lang::error_value(), step_);
    return;
  }
  m_.values.push(lang::read_number(line.data(), line.size()), step_);
}

} // namespace tovik::runner
