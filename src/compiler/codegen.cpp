#include "compiler/codegen.h"

#include "compiler/generator.h"
#include "context/context.h"
#include "lang/names.h"
#include "lang/number.h"

#include <array>
#include <cstring>
#include <utility>

namespace tovik::compiler {

using lang::ExprNode;
using lang::NodeKind;
using runner::Op;

namespace {

struct NamedForm {
  const char* text;
  Generator::Form form;
};

// Tried in this order before the general path of operators, special objects and calls.
constexpr std::array<NamedForm, 24> named_forms{{
    {"=", &Generator::assignment},
    {"IF", &Generator::if_form},
    {"@", &Generator::argument_access},
    {"$", &Generator::local_access},
    {"N$", &Generator::misplaced_locals_count},
    {"READ", &Generator::read_form},
    {"THR", &Generator::misplaced_thr},
    {"THREAD", &Generator::thread_form},
    {"SLEEP", &Generator::sleep_form},
    {"SEND", &Generator::send_form},
    {"MSG", &Generator::message_form},
    {"WAKEUP", &Generator::wakeup_form},
    {"KILL", &Generator::kill_form},
    {"SENDMYID", &Generator::send_id_form},
    {"RETURN", &Generator::return_form},
    {"CONST", &Generator::const_form},
    {"DO", &Generator::sequence},
    {";", &Generator::sequence},
    {"PRINTS", &Generator::print_strings},
    {"PRINTC", &Generator::print_chars},
    {"PRINT", &Generator::print_values},
    {"MAIN", &Generator::inline_call},
    {"WHILE", &Generator::while_form},
    {"UNTIL", &Generator::until_form},
}};

// Standard object codes carried by STDO.
constexpr std::uint8_t random_object = 0;
constexpr std::uint8_t sum_object = 1;
constexpr std::uint8_t average_object = 2;

// The constants that an operator name without arguments stands for.
struct NamedConstant {
  const char* text;
  double (*value)();
};
constexpr std::array<NamedConstant, 4> named_constants{{
    {"PI", [] { return 3.141592653589793; }},
    {"E", [] { return 2.718281828459045; }},
    {"INF", [] { return lang::infinity(); }},
    {"NAN", [] { return lang::error_value(); }},
}};

} // namespace

// The two kinds of frame slot: local variables ($) and arguments (@).
struct SlotKind {
  const char* arity_message;
  const char* args_message;
  const char* range_message;
  Op get, get_popped, set, set_popped;
};

namespace {

constexpr SlotKind local_slot{
    "ERROR | Operator '$' must have 1 argument.\n",
    "ERROR | Operator '$' must not have 'ARGS' as its argument. (But you can use '@')\n",
    "ERROR | Operator $(const) must be >0, <-1ul.\n",
    Op::get_local,
    Op::get_local_pop,
    Op::set_local,
    Op::set_local_pop};

constexpr SlotKind argument_slot{
    "ERROR | Operator '@' must have 1 argument.\n",
    "ERROR | Operator '@' must not have 'ARGS' as its argument. (But you can use '@')\n",
    "ERROR | Operator @(const) must be >0, <-1ul.\n",
    Op::arg,
    Op::arg_pop,
    Op::set_arg,
    Op::set_arg_pop};

} // namespace

// --- Node helpers ---

bool is_args(const ExprNode& node) {
  return node.kind == NodeKind::Name && lang::name_is(node, "ARGS");
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

bool compile_node_at(Context& ctx, const ExprNode& node, CodeBuffer& buffer, std::uint32_t depth) {
  return Generator(ctx, buffer, depth).node(node);
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
  return Generator(ctx, buffer, 0).thread_ref(node, named_opcode);
}

// --- Emitters ---

bool Generator::fail(const char* message) {
  std::fputs(message, ctx_.out);
  return false;
}

bool Generator::emit(Op op, std::int32_t operand) {
  bool stored = emit(op);
  return append_i32(buffer_, operand) && stored;
}

bool Generator::emit_push(double value) {
  bool stored = emit(Op::push);
  return append_f64(buffer_, value) && stored;
}

bool Generator::emit_push_error() { return emit_push(lang::error_value()); }

std::uint32_t Generator::emit_jump(Op op) {
  std::uint32_t at = position();
  emit(op, 0);
  return at;
}

void Generator::patch_jump(std::uint32_t from, std::uint32_t target, std::uint32_t field) {
  patch_i32(buffer_, from + field, static_cast<std::int32_t>(std::int64_t(target) - from));
}

// --- Dispatch ---

bool Generator::node(const ExprNode& n) {
  if (depth_ >= max_nesting) {
    std::fprintf(ctx_.out, "ERROR | Expression is nested more than %u levels deep.\n", max_nesting);
    return false;
  }
  ++depth_;
  bool compiled = false;
  if (n.kind == NodeKind::Number)
    compiled = (emit_push(lang::number_value(n)), true);
  else if (n.kind == NodeKind::Name)
    compiled = name(n);
  --depth_;
  return compiled;
}

bool Generator::name(const ExprNode& n) {
  const Arity a = arity_of(n);
  for (const NamedForm& f : named_forms)
    if (lang::name_is(n, f.text)) return (this->*f.form)(n, a);
  return general(n, a);
}

// --- Assignment and access ---

bool Generator::assignment(const ExprNode& n, Arity a) {
  if (a.argc != 2) return fail("ERROR | Operator '=' must have 2 arguments\n");
  if (a.has_args)
    return fail("ERROR | Operator '=' must not have 'ARGS' as its argument. (But you can use "
                "'@')\n");
  const ExprNode& target = *child_at(n, 0);
  const ExprNode& value = *child_at(n, 1);
  if (target.kind != NodeKind::Name)
    return fail("ERROR | First argument of operator '=' must be lvalue.\n");
  if (lang::name_is(target, "$")) return set_slot(target, value, local_slot);
  if (lang::name_is(target, "@")) return set_slot(target, value, argument_slot);
  if (target.children) return fail("ERROR | First argument of operator '=' must be lvalue.\n");
  if (!node(value)) return false;
  emit(Op::set);
  append_name(buffer_, lang::node_text(target));
  return true;
}

// A constant index is written into the instruction; any other is computed and popped.
bool Generator::slot(const ExprNode& index, const SlotKind& kind, Op by_constant, Op by_popped) {
  if (index.kind == NodeKind::Number) {
    std::optional<std::uint32_t> i = index_value(index);
    if (!i) return fail(kind.range_message);
    emit(by_constant, static_cast<std::int32_t>(*i));
    return true;
  }
  if (!node(index)) return false;
  emit(by_popped);
  return true;
}

// $(i) = v or @(i) = v: the value's code comes before the code of a computed index.
bool Generator::set_slot(const ExprNode& target, const ExprNode& value, const SlotKind& kind) {
  if (child_count(target) != 1) return fail(kind.arity_message);
  if (!node(value)) return false;
  return slot(*target.children, kind, kind.set, kind.set_popped);
}

bool Generator::get_slot(const ExprNode& n, Arity a, const SlotKind& kind) {
  if (a.argc != 1) return fail(kind.arity_message);
  if (a.has_args) return fail(kind.args_message);
  return slot(*n.children, kind, kind.get, kind.get_popped);
}

bool Generator::argument_access(const ExprNode& n, Arity a) {
  return get_slot(n, a, argument_slot);
}
bool Generator::local_access(const ExprNode& n, Arity a) { return get_slot(n, a, local_slot); }

// --- Operators, standard functions, special objects and calls ---

bool Generator::general(const ExprNode& n, Arity a) {
  if (a.has_args) emit(Op::init_args, static_cast<std::int32_t>(a.argc));
  for (const ExprNode* c = n.children.get(); c != nullptr; c = c->next.get())
    if (!node(*c)) return false;
  const std::uint8_t code = lang::operator_code(lang::node_text(n));
  if (code != lang::no_operator_code) return operator_form(n, a, code);
  switch (special(n, a)) {
  case special_done: return true;
  case special_failed: return false;
  default: return call(n, a);
  }
}

bool Generator::operator_form(const ExprNode& n, Arity a, std::uint8_t code) {
  if (a.has_args)
    return fail("ERROR | Operators ('+','-','SIN',...) must not have 'ARGS' as its argument. "
                "(But you can use '@')\n");
  if (a.argc > 2) return fail("ERROR | Operators & standard functions must have 0..2 arguments\n");
  if (a.argc != 0) {
    emit(a.argc == 2 ? Op::oper : Op::uopr);
    append_byte(buffer_, code);
    return true;
  }
  for (const NamedConstant& c : named_constants) {
    if (lang::name_is(n, c.text)) {
      emit_push(c.value());
      return true;
    }
  }
  std::fprintf(ctx_.out, "ERROR | Operator 0x%X cannot use without arguments.\n",
               static_cast<unsigned>(static_cast<int>(static_cast<std::int8_t>(code))));
  return false;
}

int Generator::special(const ExprNode& n, Arity a) {
  auto refuse = [this](const char* message) { return fail(message), special_failed; };
  if (lang::name_is(n, "ARGN")) {
    if (a.argc != 0) return refuse("ERROR | Object 'ARGN' requires 0 arguments.\n");
    emit(Op::push_argn);
    return special_done;
  }
  if (lang::name_is(n, "RND")) {
    if (a.argc != 0) return refuse("ERROR | Object 'RND' requires 0 arguments.\n");
    if (a.has_args)
      return refuse("ERROR | Object 'RND' must not have 'ARGS' as its argument.(it requires no "
                    "arguments)\n");
    emit(Op::stdo);
    append_byte(buffer_, random_object);
    return special_done;
  }
  if (lang::name_is(n, "ARGS")) {
    if (a.has_args) return refuse("ERROR | Object 'ARGS' must not have 'ARGS' as its arguments.\n");
    if (a.argc != 0 && a.argc != 2)
      return refuse("ERROR | Object 'ARGS' requires 0 or 2 arguments.\n");
    emit(a.argc == 0 ? Op::args : Op::args_range);
    return special_done;
  }
  const bool sum = lang::name_is(n, "SUM");
  if (!sum && !lang::name_is(n, "AVR")) return special_not_special;
  const std::uint8_t object = sum ? sum_object : average_object;
  emit(a.has_args ? Op::stdo_args : Op::stdo_n);
  append_byte(buffer_, object);
  if (!a.has_args) append_i32(buffer_, static_cast<std::int32_t>(a.argc));
  return special_done;
}

bool Generator::call(const ExprNode& n, Arity a) {
  const Op op = a.has_args ? Op::call_args : a.argc == 0 ? Op::call : Op::call_n;
  emit(op);
  append_name(buffer_, lang::node_text(n));
  if (op == Op::call_n) append_i32(buffer_, static_cast<std::int32_t>(a.argc));
  return true;
}

} // namespace tovik::compiler
