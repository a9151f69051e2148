// The language forms: conditions and loops, sequences, compile-time constants, output and
// inline calls.

#include "compiler/codegen.h"
#include "compiler/drivers.h"
#include "compiler/generator.h"
#include "context/context.h"
#include "context/output.h"
#include "lang/number.h"

#include <cstdio>
#include <string>

namespace tovik::compiler {

using lang::ExprNode;
using lang::NodeKind;
using runner::Op;

// IF(c, t[, f]): [c] JIFN->A [t] JUMP->B A: [f] or the error value, B.
Generator::Next Generator::if_form(Pending& p) {
  const ExprNode& n = *p.node;
  const Arity a = p.arity;
  switch (p.stage) {
  case 0:
    if (a.argc != 2 && a.argc != 3) return fail("Function 'IF' requires 2 or 3 arguments.");
    if (a.has_args)
      return fail("Function 'IF' must not have 'ARGS' as its argument. (But you can use "
                  "'@')");
    return then(p, 1, *child_at(n, 0));
  case 1: p.marks[0] = emit_jump(Op::jifn, 0); return then(p, 2, *child_at(n, 1));
  case 2:
    p.marks[1] = emit_jump(Op::jump, 0);
    patch_jump(p.marks[0], position());
    if (a.argc == 3) return then(p, 3, *child_at(n, 2));
    emit_push_error();
    [[fallthrough]];
  default: patch_jump(p.marks[1], position()); return true;
  }
}

// WHILE and UNTIL take two arguments and no ARGS; the loop starts where their code starts,
// with their child number `first`.
Generator::Next Generator::loop_start(Pending& p, lang::Token token, std::uint32_t first) {
  const char* form = lang::text_of(token);
  if (p.arity.argc != 2) {
    print_error_f(ctx_, "Function '%s' requires 2 arguments. Use 'DO' for more code in body.",
                  form);
    return false;
  }
  if (p.arity.has_args) {
    print_error_f(ctx_,
                  "Function '%s' must not have 'ARGS' as its argument. (But you can use "
                  "'@')",
                  form);
    return false;
  }
  p.marks[0] = position();
  return then(p, 1, *child_at(*p.node, first));
}

// WHILE(c, b): L0: [c] JIFN->E [b] POP JUMP->L0 E: error value.
Generator::Next Generator::while_form(Pending& p) {
  const ExprNode& n = *p.node;
  switch (p.stage) {
  case 0: return loop_start(p, lang::Token::while_, 0);
  case 1: p.marks[1] = emit_jump(Op::jifn, 0); return then(p, 2, *child_at(n, 1));
  default:
    emit(Op::pop);
    patch_jump(emit_jump(Op::jump, 0), p.marks[0]);
    patch_jump(p.marks[1], position());
    return emit_push_error(), true;
  }
}

// UNTIL(c, b): L0: [b] POP [c] JIFN->L0, error value; the body runs at least once.
Generator::Next Generator::until_form(Pending& p) {
  switch (p.stage) {
  case 0: return loop_start(p, lang::Token::until, 1);
  case 1: emit(Op::pop); return then(p, 2, *child_at(*p.node, 0));
  default: patch_jump(emit_jump(Op::jifn, 0), p.marks[0]); return emit_push_error(), true;
  }
}

// DO and ";": every child, the values of all but the last dropped.
Generator::Next Generator::sequence(Pending& p) {
  if (p.stage == 0) p.cursor = p.node->children.get();
  const ExprNode* c = take_child(p);
  if (!c) return true;
  if (p.stage != 0) emit(Op::pop);
  return then(p, 1, *c);
}

// CONST(x): x is evaluated now and only its value is kept.
Generator::Next Generator::const_form(Pending& p) {
  if (p.arity.argc != 1) return fail("Function 'CONST' requires 1 argument.");
  if (p.arity.has_args)
    return fail("Function 'CONST' must not have 'ARGS' as its argument. (But you can "
                "use '@')");
  if (const_depth_ >= max_const_nesting) {
    print_error_f(ctx_, "Function 'CONST' is nested more than %u levels deep.", max_const_nesting);
    return false;
  }
  emit(Op::push, evaluate_tree_at(ctx_, p.node->children.get(), const_depth_ + 1));
  return true;
}

Generator::Next Generator::read_form(Pending& p) {
  if (p.arity.argc != 0) return fail("Object 'READ' do not requires any argument(s).");
  emit(Op::read);
  return true;
}

Generator::Next Generator::return_form(Pending& p) {
  if (p.stage != 0) return emit(Op::return_pop), true;
  if (p.arity.argc != 1) return fail("Function 'RETURN' requires 1 argument.");
  return then(p, 1, *p.node->children);
}

Generator::Next Generator::misplaced_locals_count(Pending&) {
  return fail("Object 'N$' must be argument of 'MAIN'.");
}

Generator::Next Generator::misplaced_thr(Pending&) {
  return fail("Object 'THR' must replace name of thread.");
}

// PRINT(a, b, ...): each value is printed; only the last one stays as the value of PRINT.
Generator::Next Generator::print_values(Pending& p) {
  if (p.stage == 0) p.cursor = p.node->children.get();
  if (p.stage != 0) emit(Op::print_top);
  const ExprNode* c = take_child(p);
  if (!c) return true;
  if (p.stage != 0) emit(Op::pop);
  return then(p, 1, *c);
}

Generator::Next Generator::print_chars(Pending& p) {
  if (p.stage == 0) p.cursor = p.node->children.get();
  if (p.stage != 0) emit(Op::print_char);
  if (const ExprNode* c = take_child(p)) return then(p, 1, *c);
  return emit_push_error(), true;
}

// PRINTS(a, b, ...): the words a, b, ... printed as one text without separators.
Generator::Next Generator::print_strings(Pending& p) {
  std::string text;
  for (const ExprNode* c = p.node->children.get(); c != nullptr; c = c->next.get()) {
    if (c->kind != NodeKind::Name || c->children)
      return fail("Object 'PRINTS' must have strings as arguments");
    text += lang::node_text(*c);
  }
  emit(Op::print_text, text);
  emit_push_error();
  return true;
}

namespace {

bool is_locals_count(const ExprNode& node) { return lang::name_is(node, lang::Token::n_dollar); }

} // namespace

// MAIN(body, args..., N$(k)): the arguments, the call, k locals, the body and its RETURN; the
// call's displacement leads past that RETURN.
Generator::Next Generator::inline_call(Pending& p) {
  const ExprNode& n = *p.node;
  switch (p.stage) {
  case 0:
    if (!inline_call_checks(p)) return false;
    if (p.arity.has_args) emit(Op::init_args, static_cast<std::int32_t>(p.arity.argc - 1));
    p.cursor = n.children->next.get();
    [[fallthrough]];
  case 1:
    while (const ExprNode* c = take_child(p))
      if (!is_locals_count(*c)) return then(p, 1, *c);
    p.marks[0] = p.arity.has_args
                     ? emit_jump(Op::main_args, 0)
                     : emit_jump(Op::main_n, static_cast<std::int32_t>(p.arity.argc - 1), 0);
    if (p.marks[1] != 0) emit(Op::init_locals, static_cast<std::int32_t>(p.marks[1]));
    return then(p, 2, *n.children);
  default:
    emit(Op::ret);
    patch_jump(p.marks[0], position());
    return true;
  }
}

// The locals count (kept in marks[1]) and the arity of MAIN; the N$ child is no argument.
bool Generator::inline_call_checks(Pending& p) {
  Arity& a = p.arity;
  const ExprNode* counted = nullptr;
  for (const ExprNode* c = p.node->children.get(); c != nullptr; c = c->next.get()) {
    if (c->kind != NodeKind::Name || !is_locals_count(*c)) continue;
    if (counted) return fail("Function 'MAIN' must not have more than one 'N$' argument.");
    counted = c;
  }
  if (counted) {
    --a.argc;
    if (child_count(*counted) != 1 || counted->children->kind != NodeKind::Number)
      return fail("Object 'N$' in 'MAIN' requires one constant as argument.");
    std::optional<std::uint32_t> k = index_value(*counted->children);
    if (!k) return fail("Object 'N$' in 'MAIN' must have argument >0, <-1ul.");
    p.marks[1] = *k;
  }
  if (a.argc + (a.has_args || p.marks[1] != 0 ? 1 : 0) < 2)
    return fail("Function 'MAIN' requires >1 arguments.");
  if (a.has_args && is_args(*p.node->children))
    return fail("Function 'MAIN' must not have 'ARGS' as its first argument. (But you "
                "can use '@' or 'ARGS' as 2,3,...argument)");
  return true;
}

} // namespace tovik::compiler
