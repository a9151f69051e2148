#include "compiler/codegen.h"

#include "compiler/generator.h"
#include "compiler/spares.h"
#include "context/context.h"
#include "context/output.h"
#include "lang/number.h"
#include "lang/tokens.h"

#include <array>
#include <cstring>
#include <utility>

namespace tovik::compiler {

using lang::ExprNode;
using lang::NodeKind;
using lang::Token;
using runner::Op;

namespace {

struct NamedForm {
  Token token;
  Generator::Form form;
};

// The words with a form of their own; every other Name takes the general path of operators,
// special objects and calls.
constexpr std::array<NamedForm, 24> named_forms{{
    {Token::assign, &Generator::assignment},
    {Token::if_, &Generator::if_form},
    {Token::at, &Generator::argument_access},
    {Token::dollar, &Generator::local_access},
    {Token::n_dollar, &Generator::misplaced_locals_count},
    {Token::read, &Generator::read_form},
    {Token::thr, &Generator::misplaced_thr},
    {Token::thread, &Generator::thread_form},
    {Token::sleep, &Generator::sleep_form},
    {Token::send, &Generator::send_form},
    {Token::msg, &Generator::message_form},
    {Token::wakeup, &Generator::wakeup_form},
    {Token::kill, &Generator::kill_form},
    {Token::sendmyid, &Generator::send_id_form},
    {Token::return_, &Generator::return_form},
    {Token::const_, &Generator::const_form},
    {Token::do_, &Generator::sequence},
    {Token::semicolon, &Generator::sequence},
    {Token::prints, &Generator::print_strings},
    {Token::printc, &Generator::print_chars},
    {Token::print, &Generator::print_values},
    {Token::main, &Generator::inline_call},
    {Token::while_, &Generator::while_form},
    {Token::until, &Generator::until_form},
}};

// The constants that an operator name without arguments stands for.
struct NamedConstant {
  Token token;
  double (*value)();
};
constexpr std::array<NamedConstant, 4> named_constants{{
    {Token::pi, [] { return 3.141592653589793; }},
    {Token::e, [] { return 2.718281828459045; }},
    {Token::inf, [] { return lang::infinity(); }},
    {Token::nan, [] { return lang::error_value(); }},
}};

// The form of every word, found by its token in one step.
constexpr std::array<Generator::Form, lang::token_count> form_of_token = [] {
  std::array<Generator::Form, lang::token_count> table{};
  table.fill(&Generator::general);
  for (const NamedForm& f : named_forms) table[static_cast<std::size_t>(f.token)] = f.form;
  return table;
}();

// The form stacks of finished compilations: every line compiles at least once.
thread_local Spares<std::vector<Generator::Pending>> spare_pending;

} // namespace

Generator::Generator(Context& ctx, CodeBuffer& buffer, std::uint32_t const_depth)
    : ctx_(ctx), buffer_(buffer), const_depth_(const_depth) {
  spare_pending.take(pending_);
}

Generator::~Generator() {
  // Kept only while small: a deep tree's stack is let go.
  constexpr std::size_t kept_depth = 256;
  if (pending_.capacity() == 0 || pending_.capacity() > kept_depth) return;
  pending_.clear();
  spare_pending.give(std::move(pending_));
}

// The two kinds of frame slot: local variables ($) and arguments (@).
struct SlotKind {
  const char* arity_message;
  const char* args_message;
  const char* range_message;
  runner::OpFor<std::int32_t> get;
  runner::OpFor<> get_popped;
  runner::OpFor<std::int32_t> set;
  runner::OpFor<> set_popped;
};

namespace {

constexpr SlotKind local_slot{
    "Operator '$' must have 1 argument.",
    "Operator '$' must not have 'ARGS' as its argument. (But you can use '@')",
    "Operator $(const) must be >0, <-1ul.",
    Op::get_local,
    Op::get_local_pop,
    Op::set_local,
    Op::set_local_pop};

constexpr SlotKind argument_slot{
    "Operator '@' must have 1 argument.",
    "Operator '@' must not have 'ARGS' as its argument. (But you can use '@')",
    "Operator @(const) must be >0, <-1ul.",
    Op::arg,
    Op::arg_pop,
    Op::set_arg,
    Op::set_arg_pop};

} // namespace

// --- Node helpers ---

bool is_args(const ExprNode& node) {
  return node.kind == NodeKind::Name && lang::name_is(node, Token::args);
}

Arity arity_of(const ExprNode& node) {
  Arity a;
  for (const ExprNode* c = node.children.get(); c != nullptr; c = c->next.get()) {
    if (is_args(*c))
      a.has_args = true;
    else
      ++a.argc;
  }
  return a;
}

const ExprNode* child_at(const ExprNode& node, std::uint32_t i) {
  const ExprNode* c = node.children.get();
  for (; c != nullptr && i > 0; --i) c = c->next.get();
  return c;
}

std::uint32_t child_count(const ExprNode& node) {
  std::uint32_t n = 0;
  for (const ExprNode* c = node.children.get(); c != nullptr; c = c->next.get()) ++n;
  return n;
}

std::optional<std::uint32_t> index_value(const ExprNode& node) {
  if (node.kind != NodeKind::Number) return std::nullopt;
  const double v = lang::number_value(node);
  // NaNs fail both comparisons.
  if (lang::is_error_value(v) || !(v >= 0.0) || !(v <= 4294967295.0)) return std::nullopt;
  return static_cast<std::uint32_t>(v);
}

// --- Entry points ---

bool compile_node_at(Context& ctx, const ExprNode& node, CodeBuffer& buffer,
                     std::uint32_t const_depth) {
  return Generator(ctx, buffer, const_depth).compile(node);
}

bool compile_node(Context& ctx, const ExprNode& node, CodeBuffer& buffer) {
  return compile_node_at(ctx, node, buffer, 0);
}

int compile_special(Context& ctx, const ExprNode& node, std::uint32_t argc, bool has_args,
                    CodeBuffer& buffer) {
  return Generator(ctx, buffer, 0).special(node, {argc, has_args});
}

bool compile_thread_ref(Context& ctx, const ExprNode& node, CodeBuffer& buffer,
                        std::uint8_t named_opcode) {
  return Generator(ctx, buffer, 0).compile_thread_ref(node, named_opcode);
}

// --- Emitters ---

bool Generator::fail(const char* message) {
  print_error(ctx_, message);
  return false;
}

bool Generator::emit_push_error() { return emit(Op::push, lang::error_value()); }

// --- Dispatch ---

bool Generator::compile(const ExprNode& root) {
  Next first(true);
  first.node = &root;
  return run(first);
}

bool Generator::compile_thread_ref(const ExprNode& ref, std::uint8_t named_opcode) {
  Next first(true);
  first.node = &ref;
  first.form = &Generator::thread_ref;
  first.opcode = named_opcode;
  return run(first);
}

// The pending form on top is called until it is done; a child it asks for goes on top of it.
bool Generator::run(Next first) {
  if (!enter(first)) return false;
  while (!pending_.empty()) {
    Pending& top = pending_.back();
    const Next next = (this->*top.form)(top);
    if (next.failed) return false;
    if (!next.node) {
      pending_.pop_back();
    } else if (!enter(next)) {
      return false;
    }
  }
  return true;
}

// A Number's code is appended at once; a Name becomes a pending form.
bool Generator::enter(const Next& next) {
  const ExprNode& n = *next.node;
  if (next.form) {
    pending_.push_back({&n, {}, next.form, 0, next.opcode});
    return true;
  }
  if (n.kind == NodeKind::Number) return emit(Op::push, lang::number_value(n)), true;
  if (n.kind != NodeKind::Name) return false;
  const std::optional<Token> word = lang::token_of(n);
  const Form form = word ? form_of_token[static_cast<std::size_t>(*word)] : &Generator::general;
  pending_.push_back({&n, arity_of(n), form});
  return true;
}

Generator::Next Generator::then(Pending& p, std::uint8_t stage, const ExprNode& child, Form form,
                                std::uint8_t opcode) {
  p.stage = stage;
  Next next(true);
  next.node = &child;
  next.form = form;
  next.opcode = opcode;
  return next;
}

const ExprNode* Generator::take_child(Pending& p) {
  const ExprNode* c = p.cursor;
  if (c) p.cursor = c->next.get();
  return c;
}

// --- Assignment and access ---

namespace {

// The slot that an assignment target or an access names, if any.
const SlotKind* slot_kind(const ExprNode& n) {
  if (lang::name_is(n, Token::dollar)) return &local_slot;
  if (lang::name_is(n, Token::at)) return &argument_slot;
  return nullptr;
}

} // namespace

// L = R: [R] SET name, or [R] and the slot of $(i) or @(i); the checks come before any code.
Generator::Next Generator::assignment(Pending& p) {
  const ExprNode& n = *p.node;
  const Arity a = p.arity;
  if (p.stage == 0) {
    if (a.argc != 2) return fail("Operator '=' must have 2 arguments");
    if (a.has_args)
      return fail("Operator '=' must not have 'ARGS' as its argument. (But you can use "
                  "'@')");
    const ExprNode& target = *child_at(n, 0);
    if (target.kind != NodeKind::Name)
      return fail("First argument of operator '=' must be lvalue.");
    if (const SlotKind* kind = slot_kind(target)) {
      if (child_count(target) != 1) return fail(kind->arity_message);
    } else if (target.children) {
      return fail("First argument of operator '=' must be lvalue.");
    }
    return then(p, 1, *child_at(n, 1));
  }
  const ExprNode& target = *n.children;
  const SlotKind* kind = slot_kind(target);
  if (p.stage == 2) return emit(kind->set_popped), true;
  if (kind) return slot_index(p, *target.children, *kind, kind->set);
  emit(Op::set, lang::node_text(target));
  return true;
}

// A constant index is written into the instruction; any other is computed first, and the
// form appends the popping instruction when it comes back.
Generator::Next Generator::slot_index(Pending& p, const ExprNode& index, const SlotKind& kind,
                                      runner::OpFor<std::int32_t> by_constant) {
  if (index.kind != NodeKind::Number) return then(p, 2, index);
  std::optional<std::uint32_t> i = index_value(index);
  if (!i) return fail(kind.range_message);
  emit(by_constant, static_cast<std::int32_t>(*i));
  return true;
}

Generator::Next Generator::get_slot(Pending& p, const SlotKind& kind) {
  if (p.stage == 2) return emit(kind.get_popped), true;
  if (p.arity.argc != 1) return fail(kind.arity_message);
  if (p.arity.has_args) return fail(kind.args_message);
  return slot_index(p, *p.node->children, kind, kind.get);
}

Generator::Next Generator::argument_access(Pending& p) { return get_slot(p, argument_slot); }
Generator::Next Generator::local_access(Pending& p) { return get_slot(p, local_slot); }

// --- Operators, standard functions, special objects and calls ---

// The arguments first, so that an error inside one is reported before the arity checks.
Generator::Next Generator::general(Pending& p) {
  const ExprNode& n = *p.node;
  const Arity a = p.arity;
  if (p.stage == 0) {
    if (a.has_args) emit(Op::init_args, static_cast<std::int32_t>(a.argc));
    p.cursor = n.children.get();
  }
  if (const ExprNode* c = take_child(p)) return then(p, 1, *c);
  const std::optional<Token> word = lang::token_of(n);
  const std::uint8_t code = word ? lang::code_of(*word) : lang::no_operator_code;
  if (code != lang::no_operator_code) return operator_form(n, a, code);
  switch (special(n, a)) {
  case special_done: return true;
  case special_failed: return false;
  default: return call(n, a);
  }
}

bool Generator::operator_form(const ExprNode& n, Arity a, std::uint8_t code) {
  if (a.has_args)
    return fail("Operators ('+','-','SIN',...) must not have 'ARGS' as its argument. "
                "(But you can use '@')");
  if (a.argc > 2) return fail("Operators & standard functions must have 0..2 arguments");
  if (a.argc != 0) {
    if (a.argc == 2)
      emit(Op::oper, code);
    else
      emit(Op::uopr, code);
    return true;
  }
  for (const NamedConstant& c : named_constants) {
    if (lang::name_is(n, c.token)) {
      emit(Op::push, c.value());
      return true;
    }
  }
  print_error_f(ctx_, "Operator 0x%X cannot use without arguments.",
                static_cast<unsigned>(static_cast<int>(static_cast<std::int8_t>(code))));
  return false;
}

int Generator::special(const ExprNode& n, Arity a) {
  auto refuse = [this](const char* message) { return fail(message), special_failed; };
  if (lang::name_is(n, Token::argn)) {
    if (a.argc != 0) return refuse("Object 'ARGN' requires 0 arguments.");
    emit(Op::push_argn);
    return special_done;
  }
  if (lang::name_is(n, Token::rnd)) {
    if (a.argc != 0) return refuse("Object 'RND' requires 0 arguments.");
    if (a.has_args)
      return refuse("Object 'RND' must not have 'ARGS' as its argument.(it requires no "
                    "arguments)");
    emit(Op::stdo, lang::object_code_of(Token::rnd));
    return special_done;
  }
  if (lang::name_is(n, Token::args)) {
    if (a.has_args) return refuse("Object 'ARGS' must not have 'ARGS' as its arguments.");
    if (a.argc != 0 && a.argc != 2) return refuse("Object 'ARGS' requires 0 or 2 arguments.");
    if (a.argc == 0)
      emit(Op::args);
    else
      emit(Op::args_range);
    return special_done;
  }
  const bool sum = lang::name_is(n, Token::sum);
  if (!sum && !lang::name_is(n, Token::avr)) return special_not_special;
  const std::uint8_t object = lang::object_code_of(sum ? Token::sum : Token::avr);
  if (a.has_args)
    emit(Op::stdo_args, object);
  else
    emit(Op::stdo_n, object, static_cast<std::int32_t>(a.argc));
  return special_done;
}

bool Generator::call(const ExprNode& n, Arity a) {
  const char* name = lang::node_text(n);
  if (a.has_args) return emit(Op::call_args, name), true;
  if (a.argc == 0) return emit(Op::call, name), true;
  return emit(Op::call_n, name, static_cast<std::int32_t>(a.argc)), true;
}

} // namespace tovik::compiler
