#pragma once
// The code generator's working state and its forms, shared by the files that implement them.

#include "code/opcodes.h"
#include "compiler/code_buffer.h"
#include "lang/expr_node.h"

#include <cstdint>
#include <optional>
#include <type_traits>
#include <vector>

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

// Code generation walks the tree with an explicit stack instead of recursing, so a tree of any
// depth (such as the left-leaning chain that 1+1+...+1 or a long run of ';' statements parses
// into) compiles in constant native stack. Each Name node on the way down is a Pending form on
// that stack; the form is called again each time the child it asked for has been compiled, and
// `stage` says where it goes on.
class Generator {
public:
  struct Pending;
  // What a form wants next: to be done (true), to fail (false: the whole compilation stops, as
  // every form gives up as soon as a part of it fails), or the code of `node` first. With
  // `form`, the node is not compiled as itself but by that form (a part shared by several
  // forms, such as a thread reference), with `opcode` for it.
  struct Next;
  using Form = Next (Generator::*)(Pending&);

  struct Pending {
    const lang::ExprNode* node;
    Arity arity;
    Form form;
    std::uint8_t stage = 0;
    std::uint8_t opcode = 0;
    // The next child of a form that walks its children in order.
    const lang::ExprNode* cursor = nullptr;
    // Positions of the instructions whose displacements are patched later.
    std::uint32_t marks[2] = {};
  };

  struct Next {
    Next(bool ok) : failed(!ok) {} // NOLINT: implicit, so forms can return a plain result
    const lang::ExprNode* node = nullptr;
    Form form = nullptr;
    std::uint8_t opcode = 0;
    bool failed = false;
  };

  // `const_depth`: how many CONST evaluations enclose this compilation.
  Generator(Context& ctx, CodeBuffer& buffer, std::uint32_t const_depth);
  ~Generator();
  Generator(const Generator&) = delete;
  Generator& operator=(const Generator&) = delete;

  // Appends the code of the tree; false after a failure.
  bool compile(const lang::ExprNode& root);
  // Appends a thread reference (below) for the instruction pair named by `named_opcode`.
  bool compile_thread_ref(const lang::ExprNode& ref, std::uint8_t named_opcode);
  int special(const lang::ExprNode& n, Arity arity);

  // Forms recognised by the text of a Name node.
  Next assignment(Pending& p);
  Next if_form(Pending& p);
  Next argument_access(Pending& p);
  Next local_access(Pending& p);
  Next misplaced_locals_count(Pending& p);
  Next read_form(Pending& p);
  Next misplaced_thr(Pending& p);
  Next thread_form(Pending& p);
  Next sleep_form(Pending& p);
  Next send_form(Pending& p);
  Next message_form(Pending& p);
  Next wakeup_form(Pending& p);
  Next kill_form(Pending& p);
  Next send_id_form(Pending& p);
  Next return_form(Pending& p);
  Next const_form(Pending& p);
  Next sequence(Pending& p);
  Next print_strings(Pending& p);
  Next print_chars(Pending& p);
  Next print_values(Pending& p);
  Next inline_call(Pending& p);
  Next while_form(Pending& p);
  Next until_form(Pending& p);
  Next general(Pending& p);
  // A thread named by a plain word, or THR(x) for a number computed at run time.
  Next thread_ref(Pending& p);

private:
  bool run(Next first);
  bool enter(const Next& next);
  // Continue at `stage` once `child` is compiled (by `form`, when given).
  static Next then(Pending& p, std::uint8_t stage, const lang::ExprNode& child, Form form = nullptr,
                   std::uint8_t opcode = 0);
  // The next child of p.cursor's walk, or null at its end.
  static const lang::ExprNode* take_child(Pending& p);

  Next slot_index(Pending& p, const lang::ExprNode& index, const SlotKind& kind,
                  runner::OpFor<std::int32_t> by_constant);
  Next get_slot(Pending& p, const SlotKind& kind);
  bool inline_call_checks(Pending& p);
  Next loop_start(Pending& p, lang::Token token, std::uint32_t first);
  bool operator_form(const lang::ExprNode& n, Arity a, std::uint8_t code);
  bool call(const lang::ExprNode& n, Arity a);
  // SLEEP, KILL, SEND, WAKEUP, SENDMYID: the thread reference `ref`, then the error value.
  Next thread_then_error(Pending& p, const lang::ExprNode& ref, runner::Op named);

  // Message output: the whole line, line end included.
  bool fail(const char* message);

  template <class... A>
  bool emit(std::type_identity_t<runner::OpFor<A...>> op, const A&... operands) {
    return runner::emit(buffer_, op, operands...);
  }
  bool emit_push_error();
  // A jump-like instruction with a zero displacement; returns the position of its opcode.
  template <class... A>
  std::uint32_t emit_jump(std::type_identity_t<runner::OpFor<A...>> op, const A&... operands) {
    const std::uint32_t at = position();
    emit(op, operands...);
    return at;
  }
  // Points the displacement of the instruction at `from` to `target`.
  void patch_jump(std::uint32_t from, std::uint32_t target) {
    patch_displacement(buffer_, from, target);
  }
  std::uint32_t position() const { return buffer_.count; }

  Context& ctx_;
  CodeBuffer& buffer_;
  std::uint32_t const_depth_;
  std::vector<Pending> pending_;
};

} // namespace tovik::compiler
