// The thread forms. Each names its thread by a plain word or by THR(x), a thread number
// computed at run time.

#include "compiler/codegen.h"
#include "compiler/generator.h"
#include "context/context.h"

#include <array>
#include <cstdio>

namespace tovik::compiler {

using lang::ExprNode;
using lang::NodeKind;
using runner::Op;

namespace {

struct ThreadPair {
  runner::OpFor<const char*> named;
  runner::OpFor<> popped;
};

constexpr std::array<ThreadPair, 5> thread_pairs{{
    {Op::sleep, Op::sleep_pop},
    {Op::send, Op::send_pop},
    {Op::wake_up, Op::wake_up_pop},
    {Op::kill, Op::kill_pop},
    {Op::send_id, Op::send_id_pop},
}};

const ThreadPair* pair_of(std::uint8_t named_opcode) {
  for (const ThreadPair& p : thread_pairs)
    if (runner::byte_of(p.named.op()) == named_opcode) return &p;
  return nullptr;
}

} // namespace

// p.opcode names the instruction pair; THR(x) computes the thread, so its code comes first.
Generator::Next Generator::thread_ref(Pending& p) {
  const ExprNode& n = *p.node;
  const ThreadPair* pair = pair_of(p.opcode);
  if (!pair)
    return fail("Unknown 7x command. Please tell Tolvenark about this error in "
                "translator.");
  if (p.stage != 0) return emit(pair->popped);
  if (n.kind != NodeKind::Name) return fail("Name of thread must be a string.");
  if (lang::name_is(n, lang::Token::thr)) {
    if (child_count(n) != 1) return fail("Object 'THR' requires one argument.");
    return then(p, 1, *n.children);
  }
  if (n.children) return fail("Name of thread must not have any arguments.");
  return emit(pair->named, lang::node_text(n));
}

// The reference's code comes at stage 1; the form ends with the error value at stage 2.
Generator::Next Generator::thread_then_error(Pending& p, const ExprNode& ref, Op named) {
  if (p.stage == 2) return emit_push_error(), true;
  return then(p, 2, ref, &Generator::thread_ref, runner::byte_of(named));
}

// NTHR name, its body length, the body and its RETURN; the body runs as the new thread.
Generator::Next Generator::thread_form(Pending& p) {
  const ExprNode& n = *p.node;
  if (p.stage != 0) {
    emit(Op::ret);
    patch_i32(buffer_, p.marks[0] - runner::least_size(runner::Field::i32),
              static_cast<std::int32_t>(position() - p.marks[0]));
    return emit_push_error(), true;
  }
  if (p.arity.argc != 1 && p.arity.argc != 2)
    return fail("Function 'THREAD' requires 1 or 2 argument(s).");
  const char* name = "";
  if (p.arity.argc == 2) {
    const ExprNode& named = *n.children;
    if (named.kind != NodeKind::Name || named.children)
      return fail("Name of thread must not have arguments & must be a string.");
    name = lang::node_text(named);
  }
  // The body length, the last operand, is known when the body is compiled; marks[0] is where
  // the body starts.
  emit(Op::new_thread, name, 0);
  p.marks[0] = position();
  const ExprNode* last = n.children.get();
  while (last->next) last = last->next.get();
  return then(p, 1, *last);
}

// SLEEP and KILL: the current thread without an argument, else the named one.
Generator::Next Generator::sleep_form(Pending& p) {
  if (p.arity.argc > 1) return fail("Function 'SLEEP' requires 0 or 1 argument(s).");
  if (p.arity.argc == 0) return emit(Op::sleep_me), emit_push_error(), true;
  return thread_then_error(p, *p.node->children, Op::sleep);
}

Generator::Next Generator::kill_form(Pending& p) {
  if (p.arity.argc > 1) return fail("Function 'KILL' requires 0 or 1 argument(s).");
  if (p.arity.argc == 0) return emit(Op::kill_me), emit_push_error(), true;
  return thread_then_error(p, *p.node->children, Op::kill);
}

// SEND(thread, message): the message value first, then the thread.
Generator::Next Generator::send_form(Pending& p) {
  if (p.stage == 0) {
    if (p.arity.argc != 2) return fail("Function 'SEND' requires 2 arguments.");
    return then(p, 1, *child_at(*p.node, 1));
  }
  return thread_then_error(p, *p.node->children, Op::send);
}

Generator::Next Generator::message_form(Pending& p) {
  if (p.arity.argc != 0) return fail("Function 'MSG' do not requires any arguments.");
  emit(Op::read_message);
  return true;
}

// WAKEUP(thread, x): x must be written but is never compiled.
Generator::Next Generator::wakeup_form(Pending& p) {
  if (p.arity.argc != 2) return fail("Function 'WAKEUP' requires 2 arguments.");
  return thread_then_error(p, *p.node->children, Op::wake_up);
}

Generator::Next Generator::send_id_form(Pending& p) {
  if (p.arity.argc != 1) return fail("Function 'SENDMYID' requires 1 argument.");
  return thread_then_error(p, *p.node->children, Op::send_id);
}

} // namespace tovik::compiler
