#include "analysis/analyse_setup.h"

#include "compiler/drivers.h"
#include "context/context.h"
#include "context/output.h"
#include "lang/names.h"
#include "lang/number.h"
#include "lang/parser.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

namespace tovik::analysis {

using lang::ExprNode;
using lang::NodeKind;

namespace {

bool fail(Context& ctx, const char* message) {
  print_error(ctx, message);
  return false;
}

bool usable_variable(const ExprNode& root) {
  const char* name = lang::node_text(root);
  return root.kind == NodeKind::Name && name && *name && !lang::is_system_object(name);
}

// The bounds and steps that the root's arguments give; further arguments are not evaluated.
void evaluate_bounds(Context& ctx, const ExprNode& root, Range& range) {
  const ExprNode* a = root.children.get();
  if (!a) return;
  const ExprNode* b = a->next.get();
  if (!b) {
    range.from = 0;
    range.to = compiler::evaluate_tree(ctx, a);
    return;
  }
  range.from = compiler::evaluate_tree(ctx, a);
  range.to = compiler::evaluate_tree(ctx, b);
  if (const ExprNode* c = b->next.get()) range.steps = compiler::evaluate_tree(ctx, c);
}

bool undefined(const Range& r) {
  return lang::is_error_value(r.from) || lang::is_error_value(r.to) || lang::is_error_value(r.step);
}

// Stated as what must hold, so that a not-a-number bound or step is refused as well.
bool sensible(const Range& r) {
  return r.to > r.from && r.steps >= 1 && r.step != 0 && std::isfinite(r.step) &&
         step_moves_x(r.from, r.to, r.step);
}

bool opens_bracket(const ExprNode* token) {
  return token && token->kind == NodeKind::Symbol && lang::name_is(*token, lang::Token::open);
}

} // namespace

bool step_moves_x(double from, double to, double step) {
  const double widest = std::max(std::fabs(from), std::fabs(to));
  // The widest spacing of the doubles that x can take on its way (a power of two counts with
  // the spacing below it, which is where the values before it lie).
  const double spacing = widest - std::nextafter(widest, 0.0);
  return from + step != from && to + step != to && step > spacing / 2;
}

bool read_range(Context& ctx, const char* text, double default_steps, Range& range) {
  ExprNode head(ctx.nodes);
  lang::parse_single(head, text ? text : "x", ctx.out);
  if (head.kind == NodeKind::Invalid || (head.children && !lang::is_valid(*head.children)))
    return fail(ctx, "Invalid tree with variable name and its settings.");
  if (!usable_variable(head)) return fail(ctx, "Invalid variable name.");
  range.variable = lang::node_text(head);
  range.steps = default_steps;
  evaluate_bounds(ctx, head, range);
  range.step = (range.to - range.from) / range.steps;
  if (undefined(range)) return fail(ctx, "Some arguments of variable are undefined.");
  if (!sensible(range)) return fail(ctx, "Logical misake: from>=to or steps not in [1..INF).");
  return true;
}

bool rename_variable(Context& ctx, ExprNode& head, const std::string& variable,
                     const char* function) {
  auto fail_with = [&](const char* format) {
    print_error_f(ctx, format, function);
    return false;
  };
  for (ExprNode* t = head.next.get(); t != nullptr; t = t->next.get()) {
    if (t->kind != NodeKind::Name || !lang::name_is(*t, variable.c_str())) continue;
    lang::set_name(*t, "$");
    if (opens_bracket(t->next.get()))
      return fail_with("Function %s: object which is declared as arguments must not have "
                       "own arguments.");
    if (t->children) return fail_with("Function %s: unexpected error.");
    std::unique_ptr<ExprNode> zero = lang::new_node(ctx.nodes);
    if (!zero) return fail_with("Function %s: not enough memory for making argument.");
    lang::set_number(*zero, 0);
    t->children = std::move(zero);
  }
  return true;
}

namespace {

// `$` with the index 0, or with an index only known when the code runs.
bool names_local_zero(const ExprNode& target) {
  if (target.kind != NodeKind::Name || !lang::name_is(target, lang::Token::dollar) ||
      !target.children)
    return false;
  const ExprNode& index = *target.children;
  if (index.kind != NodeKind::Number) return true;
  const double i = lang::number_value(index); // truncated toward zero when the code is made
  return i >= 0 && i < 1;
}

// Forms that use each child as one value. Elsewhere (calls, SUM, AVR, MAIN) ARGS is a group
// of arguments; under these, or alone, it pushes the current frame's arguments, which in the
// tabulation frame are none.
bool takes_single_values(const ExprNode& n) {
  using lang::Token;
  for (Token form : {Token::do_, Token::semicolon, Token::print, Token::if_, Token::assign,
                     Token::while_, Token::until, Token::return_})
    if (lang::name_is(n, form)) return true;
  return false;
}

// The text of a node that leaves no value on the stack, or null.
const char* leaves_no_value(const ExprNode& n, bool single_value_wanted) {
  if (n.kind != NodeKind::Name || n.children) return nullptr;
  if (lang::name_is(n, lang::Token::print)) return "PRINT()";
  if (lang::name_is(n, lang::Token::do_) || lang::name_is(n, lang::Token::semicolon)) return "DO()";
  if (lang::name_is(n, lang::Token::args) && single_value_wanted) return "ARGS";
  return nullptr;
}

} // namespace

bool can_tabulate(Context& ctx, const ExprNode& tree, const std::string& variable,
                  const char* function) {
  struct Pending {
    const ExprNode* node;
    bool single_value_wanted;
  };
  std::vector<Pending> pending{{&tree, true}};
  while (!pending.empty()) {
    const auto [n, single] = pending.back();
    pending.pop_back();
    if (const char* none = leaves_no_value(*n, single)) {
      print_error_f(ctx,
                    "Function %s: %s leaves no value, and every point needs exactly "
                    "one.",
                    function, none);
      return false;
    }
    if (n->kind != NodeKind::Name) continue;
    if (lang::name_is(*n, lang::Token::assign) && n->children && names_local_zero(*n->children)) {
      print_error_f(ctx,
                    "Function %s: it assigns its variable %s, which steps through the "
                    "range; the table would never end.",
                    function, variable.c_str());
      return false;
    }
    const ExprNode* c = n->children.get();
    // The body of an inline call runs in a frame of its own, with locals of its own.
    if (c && lang::name_is(*n, lang::Token::main)) c = c->next.get();
    for (; c != nullptr; c = c->next.get()) pending.push_back({c, takes_single_values(*n)});
  }
  return true;
}

} // namespace tovik::analysis
