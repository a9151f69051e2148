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
  Op named;
  Op popped;
};

constexpr std::array<ThreadPair, 5> thread_pairs{{
    {Op::sleep, Op::sleep_pop},
    {Op::send, Op::send_pop},
    {Op::wake_up, Op::wake_up_pop},
    {Op::kill, Op::kill_pop},
    {Op::send_id, Op::send_id_pop},
}};

} // namespace

bool Generator::thread_ref(const ExprNode& n, std::uint8_t named_opcode) {
  const ThreadPair* pair = nullptr;
  for (const ThreadPair& p : thread_pairs)
    if (runner::byte_of(p.named) == named_opcode) pair = &p;
  if (!pair)
    return fail("ERROR | Unknown 7x command. Please tell Tolvenark about this error in "
                "translator.\n");
  if (n.kind != NodeKind::Name) return fail("ERROR | Name of thread must be a string.\n");
  if (lang::name_is(n, "THR")) {
    if (child_count(n) != 1) return fail("ERROR | Object 'THR' requires one argument.\n");
    return node(*n.children) && emit(pair->popped);
  }
  if (n.children) return fail("ERROR | Name of thread must not have any arguments.\n");
  emit(pair->named);
  append_text(buffer_, lang::node_text(n));
  return append_byte(buffer_, 0);
}

// NTHR name, its body length, the body and its RETURN; the body runs as the new thread.
bool Generator::thread_form(const ExprNode& n, Arity a) {
  if (a.argc != 1 && a.argc != 2)
    return fail("ERROR | Function 'THREAD' requires 1 or 2 argument(s).\n");
  emit(Op::new_thread);
  const char* name = "";
  if (a.argc == 2) {
    const ExprNode& named = *n.children;
    if (named.kind != NodeKind::Name || named.children)
      return fail("ERROR | Name of thread must not have arguments & must be a string.\n");
    name = lang::node_text(named);
  }
  append_name(buffer_, name);
  const std::uint32_t length_at = position();
  append_i32(buffer_, 0);
  const std::uint32_t body = position();
  const ExprNode* last = n.children.get();
  while (last->next) last = last->next.get();
  if (!node(*last)) return false;
  emit(Op::ret);
  patch_i32(buffer_, length_at, static_cast<std::int32_t>(position() - body));
  emit_push_error();
  return true;
}

// SLEEP and KILL: the current thread without an argument, else the named one.
bool Generator::optional_thread(const ExprNode& n, Arity a, Op alone, std::uint8_t named_opcode) {
  if (a.argc == 0) {
    emit(alone);
  } else if (!thread_ref(*n.children, named_opcode)) {
    return false;
  }
  emit_push_error();
  return true;
}

bool Generator::sleep_form(const ExprNode& n, Arity a) {
  if (a.argc > 1) return fail("ERROR | Function 'SLEEP' requires 0 or 1 argument(s).\n");
  return optional_thread(n, a, Op::sleep_me, runner::byte_of(Op::sleep));
}

bool Generator::kill_form(const ExprNode& n, Arity a) {
  if (a.argc > 1) return fail("ERROR | Function 'KILL' requires 0 or 1 argument(s).\n");
  return optional_thread(n, a, Op::kill_me, runner::byte_of(Op::kill));
}

// SEND(thread, message): the message value first, then the thread.
bool Generator::send_form(const ExprNode& n, Arity a) {
  if (a.argc != 2) return fail("ERROR | Function 'SEND' requires 2 arguments.\n");
  if (!node(*child_at(n, 1)) || !thread_ref(*n.children, runner::byte_of(Op::send))) return false;
  emit_push_error();
  return true;
}

bool Generator::message_form(const ExprNode&, Arity a) {
  if (a.argc != 0) return fail("ERROR | Function 'MSG' do not requires any arguments.\n");
  emit(Op::read_message);
  return true;
}

// WAKEUP(thread, x): x must be written but is never compiled.
bool Generator::wakeup_form(const ExprNode& n, Arity a) {
  if (a.argc != 2) return fail("ERROR | Function 'WAKEUP' requires 2 arguments.\n");
  if (!thread_ref(*n.children, runner::byte_of(Op::wake_up))) return false;
  emit_push_error();
  return true;
}

bool Generator::send_id_form(const ExprNode& n, Arity a) {
  if (a.argc != 1) return fail("ERROR | Function 'SENDMYID' requires 1 argument.\n");
  if (!thread_ref(*n.children, runner::byte_of(Op::send_id))) return false;
  emit_push_error();
  return true;
}

} // namespace tovik::compiler
