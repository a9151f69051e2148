#pragma once
// The set-up shared by count, graph and null: the variable and its range, and the function's
// tokens rewritten so that the variable reads the loop's local 0.

#include "lang/expr_node.h"

#include <string>

namespace tovik {
struct Context;
}

namespace tovik::analysis {

struct Range {
  std::string variable;
  double from = -10;
  double to = 10;
  double steps = 0;
  double step = 0;
};

// Reads the variable and the range of `text` (plain x when null), evaluating the bounds.
// False after its message when the range cannot be used.
bool read_range(Context& ctx, const char* text, double default_steps, Range& range);

// True when x, going from `from` by `step`, moves on at every value up to `to`. A step below
// half the spacing of the doubles there would leave x where it is and the loop would never end.
bool step_moves_x(double from, double to, double step);

// Every Name token `variable` in the token list under `head` becomes `$` with the child 0.
// False after its message (naming `function`, the function's text) when that cannot be done.
bool rename_variable(Context& ctx, lang::ExprNode& head, const std::string& variable,
                     const char* function);

// False after its message (naming `function`, and `variable`) when the tree cannot make a
// table: a part of it leaves no value (PRINT(), DO(), ARGS alone), so the points would slide
// against each other, or it assigns the variable that the tabulation loop steps, so the table
// would never end. The body of an inline call (MAIN) sets that call's own locals.
bool can_tabulate(Context& ctx, const lang::ExprNode& tree, const std::string& variable,
                  const char* function);

} // namespace tovik::analysis
