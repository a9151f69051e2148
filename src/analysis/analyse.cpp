#include "analysis/analyse.h"

#include "analysis/analyse_modes.h"
#include "analysis/analyse_setup.h"
#include "compiler/drivers.h"
#include "context/context.h"
#include "context/output.h"
#include "lang/parser.h"
#include "runner/listing.h"

#include <cstdio>

namespace tovik::analysis {

using lang::ExprNode;
using lang::NodeKind;

namespace {

constexpr const char* invalid_function = "Invalid tree with function expression.";

double default_steps(AnalysisMode mode) { return mode == AnalysisMode::count ? 20 : 500; }

// The function's token list; false after the message when it is unusable.
bool tokenize_function(Context& ctx, ExprNode& head, const char* function) {
  lang::tokenize(head, function);
  if (head.kind != NodeKind::Invalid && lang::is_valid(head)) return true;
  print_error(ctx, invalid_function);
  return false;
}

// The tokens become the tree. Leftovers after the first element would otherwise be dropped
// without a word, and a mistyped function (x^2+) would quietly tabulate something else.
bool build_tree(Context& ctx, ExprNode& head) {
  lang::take_single_root(head, ctx.out);
  if (lang::is_valid(head)) return true;
  print_error(ctx, invalid_function);
  return false;
}

void announce(Context& ctx, const ExprNode& tree, const Range& r) {
  lang::print_list(ctx.out, "COUNT | Function ", tree, ' ');
  std::fputs("\n", ctx.out);
  std::fprintf(ctx.out, "VAR   | Local $0 from %g to %g by %g (%g steps)\n", r.from, r.to, r.step,
               r.steps);
}

// The tabulation block for the tree; false after the message when none could be made.
bool make_block(Context& ctx, ExprNode& tree, const Range& r, AnalysisMode mode,
                runner::CodeBlock& block) {
  const bool extra_point = mode == AnalysisMode::null;
  if (compiler::compile_tabulation(ctx, tree, block, extra_point, r.from, r.to, r.step) == 0) {
    print_error(ctx, "Cannot make function code.");
    return false;
  }
  if (ctx.settings.show_program)
    runner::list_code(ctx.out, ctx.key_waiting, "ZORVA | This code will run:", block);
  return true;
}

void use_table(Context& ctx, runner::CodeBlock& block, AnalysisMode mode) {
  switch (mode) {
  case AnalysisMode::count: print_table(ctx); break;
  case AnalysisMode::graph: plot_table(ctx); break;
  case AnalysisMode::null: ZeroSearch(ctx, block).run(); break;
  }
}

} // namespace

void analyse_function(Context& ctx, const char* range, const char* function, AnalysisMode mode) {
  ExprNode tree(ctx.nodes);
  if (!tokenize_function(ctx, tree, function)) return;
  Range r;
  if (!read_range(ctx, range, default_steps(mode), r)) return;
  if (!rename_variable(ctx, tree, r.variable, function)) return;
  if (!build_tree(ctx, tree)) return;
  if (!can_tabulate(ctx, tree, r.variable, function)) return;
  announce(ctx, tree, r);
  runner::CodeBlock block;
  if (!make_block(ctx, tree, r, mode, block)) return;
  std::fputs("Counting results...\n", ctx.out);
  if (!run_tabulation(ctx, block, r.from, r.to, r.step, mode == AnalysisMode::null)) return;
  use_table(ctx, block, mode);
}

} // namespace tovik::analysis
