// The language forms: conditions and loops, sequences, compile-time constants, output and
// inline calls.

#include "compiler/codegen.h"
#include "compiler/drivers.h"
#include "compiler/generator.h"
#include "context/context.h"
#include "lang/number.h"

#include <string>

namespace tovik::compiler {

using lang::ExprNode;
using lang::NodeKind;
using runner::Op;

namespace {

const char* const args_refused_if =
    "ERROR | Function 'IF' must not have 'ARGS' as its argument. (But you can use '@')\n";
const char* const args_refused_while =
    "ERROR | Function 'WHILE' must not have 'ARGS' as its argument. (But you can use '@')\n";
const char* const args_refused_until =
    "ERROR | Function 'UNTIL' must not have 'ARGS' as its argument. (But you can use '@')\n";

} // namespace

// IF(c, t[, f]): [c] JIFN->A [t] JUMP->B A: [f] or the error value, B.
bool Generator::if_form(const ExprNode& n, Arity a) {
  if (a.argc != 2 && a.argc != 3) return fail("ERROR | Function 'IF' requires 2 or 3 arguments.\n");
  if (a.has_args) return fail(args_refused_if);
  if (!node(*child_at(n, 0))) return false;
  const std::uint32_t to_else = emit_jump(Op::jifn);
  if (!node(*child_at(n, 1))) return false;
  const std::uint32_t to_end = emit_jump(Op::jump);
  patch_jump(to_else, position());
  if (a.argc == 3) {
    if (!node(*child_at(n, 2))) return false;
  } else {
    emit_push_error();
  }
  patch_jump(to_end, position());
  return true;
}

// WHILE(c, b): L0: [c] JIFN->E [b] POP JUMP->L0 E: error value.
bool Generator::while_form(const ExprNode& n, Arity a) {
  if (a.argc != 2)
    return fail("ERROR | Function 'WHILE' requires 2 arguments. Use 'DO' for more code in "
                "body.\n");
  if (a.has_args) return fail(args_refused_while);
  const std::uint32_t loop = position();
  if (!node(*child_at(n, 0))) return false;
  const std::uint32_t to_end = emit_jump(Op::jifn);
  if (!node(*child_at(n, 1))) return false;
  emit(Op::pop);
  patch_jump(emit_jump(Op::jump), loop);
  patch_jump(to_end, position());
  emit_push_error();
  return true;
}

// UNTIL(c, b): L0: [b] POP [c] JIFN->L0, error value; the body runs at least once.
bool Generator::until_form(const ExprNode& n, Arity a) {
  if (a.argc != 2)
    return fail("ERROR | Function 'UNTIL' requires 2 arguments. Use 'DO' for more code in "
                "body.\n");
  if (a.has_args) return fail(args_refused_until);
  const std::uint32_t loop = position();
  if (!node(*child_at(n, 1))) return false;
  emit(Op::pop);
  if (!node(*child_at(n, 0))) return false;
  patch_jump(emit_jump(Op::jifn), loop);
  emit_push_error();
  return true;
}

// DO and ";": every child, the values of all but the last dropped.
bool Generator::sequence(const ExprNode& n, Arity) {
  for (const ExprNode* c = n.children.get(); c != nullptr; c = c->next.get()) {
    if (c != n.children.get()) emit(Op::pop);
    if (!node(*c)) return false;
  }
  return true;
}

// CONST(x): x is evaluated now and only its value is kept.
bool Generator::const_form(const ExprNode& n, Arity a) {
  if (a.argc != 1) return fail("ERROR | Function 'CONST' requires 1 argument.\n");
  if (a.has_args)
    return fail("ERROR | Function 'CONST' must not have 'ARGS' as its argument. (But you can "
                "use '@')\n");
  emit_push(evaluate_tree_at(ctx_, n.children.get(), depth_));
  return true;
}

bool Generator::read_form(const ExprNode&, Arity a) {
  if (a.argc != 0) return fail("ERROR | Object 'READ' do not requires any argument(s).\n");
  emit(Op::read);
  return true;
}

bool Generator::return_form(const ExprNode& n, Arity a) {
  if (a.argc != 1) return fail("ERROR | Function 'RETURN' requires 1 argument.\n");
  if (!node(*n.children)) return false;
  emit(Op::return_pop);
  return true;
}

bool Generator::misplaced_locals_count(const ExprNode&, Arity) {
  return fail("ERROR | Object 'N$' must be argument of 'MAIN'.\n");
}

bool Generator::misplaced_thr(const ExprNode&, Arity) {
  return fail("ERROR | Object 'THR' must replace name of thread.\n");
}

// PRINT(a, b, ...): each value is printed; only the last one stays as the value of PRINT.
bool Generator::print_values(const ExprNode& n, Arity) {
  for (const ExprNode* c = n.children.get(); c != nullptr; c = c->next.get()) {
    if (c != n.children.get()) emit(Op::pop);
    if (!node(*c)) return false;
    emit(Op::print_top);
  }
  return true;
}

bool Generator::print_chars(const ExprNode& n, Arity) {
  for (const ExprNode* c = n.children.get(); c != nullptr; c = c->next.get()) {
    if (!node(*c)) return false;
    emit(Op::print_char);
  }
  emit_push_error();
  return true;
}

// PRINTS(a, b, ...): the words a, b, ... printed as one text without separators.
bool Generator::print_strings(const ExprNode& n, Arity) {
  std::string text;
  for (const ExprNode* c = n.children.get(); c != nullptr; c = c->next.get()) {
    if (c->kind != NodeKind::Name || c->children)
      return fail("ERROR | Object 'PRINTS' must have strings as arguments\n");
    text += lang::node_text(*c);
  }
  emit(Op::print_text);
  append_name(buffer_, text);
  emit_push_error();
  return true;
}

namespace {

bool is_locals_count(const ExprNode& node) { return lang::name_is(node, "N$"); }

} // namespace

// MAIN(body, args..., N$(k)): the arguments, the call, k locals, the body and its RETURN; the
// call's displacement leads past that RETURN.
bool Generator::inline_call(const ExprNode& n, Arity a) {
  std::uint32_t locals = 0;
  const ExprNode* counted = nullptr;
  for (const ExprNode* c = n.children.get(); c != nullptr; c = c->next.get()) {
    if (c->kind != NodeKind::Name || !is_locals_count(*c)) continue;
    if (counted)
      return fail("ERROR | Function 'MAIN' must not have more than one 'N$' argument.\n");
    counted = c;
  }
  if (counted) {
    --a.argc;
    if (child_count(*counted) != 1 || counted->children->kind != NodeKind::Number)
      return fail("ERROR | Object 'N$' in 'MAIN' requires one constant as argument.\n");
    std::optional<std::uint32_t> k = index_value(*counted->children);
    if (!k) return fail("ERROR | Object 'N$' in 'MAIN' must have argument >0, <-1ul.\n");
    locals = *k;
  }
  if (a.argc + (a.has_args || locals != 0 ? 1 : 0) < 2)
    return fail("ERROR | Function 'MAIN' requires >1 arguments.\n");
  if (a.has_args && is_args(*n.children))
    return fail("ERROR | Function 'MAIN' must not have 'ARGS' as its first argument. (But you "
                "can use '@' or 'ARGS' as 2,3,...argument)\n");
  const auto count = static_cast<std::int32_t>(a.argc - 1);
  if (a.has_args) emit(Op::init_args, count);
  for (const ExprNode* c = n.children->next.get(); c != nullptr; c = c->next.get())
    if (!lang::name_is(*c, "N$") && !node(*c)) return false;
  const std::uint32_t call = position();
  if (a.has_args) {
    emit(Op::main_args, 0);
  } else {
    emit(Op::main_n, count);
    append_i32(buffer_, 0);
  }
  if (locals != 0) emit(Op::init_locals, static_cast<std::int32_t>(locals));
  if (!node(*n.children)) return false;
  emit(Op::ret);
  patch_jump(call, position(), a.has_args ? 1 : 5);
  return true;
}

} // namespace tovik::compiler
