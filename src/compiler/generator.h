#pragma once
// The code generator's working state and its forms, shared by the files that implement them.

#include "code/opcodes.h"
#include "compiler/code_buffer.h"
#include "lang/expr_node.h"

#include <cstdint>
#include <optional>

namespace tovik {
struct Context;
}

namespace tovik::compiler {

// The argument count of a Name node and whether one of its children is ARGS, which never
// counts as an argument.
struct Arity {
  std::uint32_t argc = 0;
  bool has_args = false;
};

Arity arity_of(const lang::ExprNode& node);
bool is_args(const lang::ExprNode& node);
// Child i (from 0) in the raw child list, ARGS included; null past the end.
const lang::ExprNode* child_at(const lang::ExprNode& node, std::uint32_t i);
std::uint32_t child_count(const lang::ExprNode& node);
// A Number usable as a local or argument index or a locals count: from 0 to 4294967295 and not
// the error value, truncated toward zero.
std::optional<std::uint32_t> index_value(const lang::ExprNode& node);

struct SlotKind;

class Generator {
public:
  Generator(Context& ctx, CodeBuffer& buffer, std::uint32_t depth)
      : ctx_(ctx), buffer_(buffer), depth_(depth) {}

  bool node(const lang::ExprNode& n);
  int special(const lang::ExprNode& n, Arity arity);
  bool thread_ref(const lang::ExprNode& n, std::uint8_t named_opcode);

  using Form = bool (Generator::*)(const lang::ExprNode&, Arity);

  // Forms recognised by the text of a Name node.
  bool assignment(const lang::ExprNode& n, Arity a);
  bool if_form(const lang::ExprNode& n, Arity a);
  bool argument_access(const lang::ExprNode& n, Arity a);
  bool local_access(const lang::ExprNode& n, Arity a);
  bool misplaced_locals_count(const lang::ExprNode& n, Arity a);
  bool read_form(const lang::ExprNode& n, Arity a);
  bool misplaced_thr(const lang::ExprNode& n, Arity a);
  bool thread_form(const lang::ExprNode& n, Arity a);
  bool sleep_form(const lang::ExprNode& n, Arity a);
  bool send_form(const lang::ExprNode& n, Arity a);
  bool message_form(const lang::ExprNode& n, Arity a);
  bool wakeup_form(const lang::ExprNode& n, Arity a);
  bool kill_form(const lang::ExprNode& n, Arity a);
  bool send_id_form(const lang::ExprNode& n, Arity a);
  bool return_form(const lang::ExprNode& n, Arity a);
  bool const_form(const lang::ExprNode& n, Arity a);
  bool sequence(const lang::ExprNode& n, Arity a);
  bool print_strings(const lang::ExprNode& n, Arity a);
  bool print_chars(const lang::ExprNode& n, Arity a);
  bool print_values(const lang::ExprNode& n, Arity a);
  bool inline_call(const lang::ExprNode& n, Arity a);
  bool while_form(const lang::ExprNode& n, Arity a);
  bool until_form(const lang::ExprNode& n, Arity a);
  bool general(const lang::ExprNode& n, Arity a);

private:
  bool name(const lang::ExprNode& n);
  bool slot(const lang::ExprNode& index, const SlotKind& kind, runner::Op by_constant,
            runner::Op by_popped);
  bool set_slot(const lang::ExprNode& target, const lang::ExprNode& value, const SlotKind& kind);
  bool get_slot(const lang::ExprNode& n, Arity a, const SlotKind& kind);
  bool operator_form(const lang::ExprNode& n, Arity a, std::uint8_t code);
  bool call(const lang::ExprNode& n, Arity a);
  bool optional_thread(const lang::ExprNode& n, Arity a, runner::Op alone,
                       std::uint8_t named_opcode);

  // Message output: the whole line, line end included.
  bool fail(const char* message);

  bool emit(runner::Op op) { return append_op(buffer_, op); }
  bool emit(runner::Op op, std::int32_t operand);
  bool emit_push(double value);
  bool emit_push_error();
  // A jump-like instruction with a zero displacement; returns the position of its opcode.
  std::uint32_t emit_jump(runner::Op op);
  // Points the displacement of the instruction at `from`, stored `field` bytes after its opcode,
  // to `target`.
  void patch_jump(std::uint32_t from, std::uint32_t target, std::uint32_t field = 1);
  std::uint32_t position() const { return buffer_.count; }

  Context& ctx_;
  CodeBuffer& buffer_;
  std::uint32_t depth_;
};

} // namespace tovik::compiler
