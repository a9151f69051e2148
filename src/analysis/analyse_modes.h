#pragma once
// What count, graph and null do with the table of points that a tabulation run leaves on
// Stack 1: for point k, y at position 2k and x at position 2k + 1.

#include "code/code_block.h"
#include "context/stack.h"

#include <cstdint>

namespace tovik {
struct Context;
}

namespace tovik::analysis {

// A value stack of this part: grows by the stack step, an empty one pops the error value.
runner::Stack<double> new_value_stack();

// Stack 1 emptied: no values and no errors.
void empty_table(Context& ctx);

std::uint32_t point_count(const Context& ctx);
double point_x(const Context& ctx, std::uint32_t k);
double point_y(const Context& ctx, std::uint32_t k);

// Runs a tabulation block that steps from `from` by `step` up to `to` (and one point beyond
// with the extra point). True when it ran and left exactly one (y, x) pair for each x the loop
// visits; otherwise the run error, or the message that the function left no value or more than
// one for some point, is printed (Stack 1 emptied in that case), and false.
bool run_tabulation(Context& ctx, const runner::CodeBlock& block, double from, double to,
                    double step, bool extra_point);

// count: one line per point through the count format, until a key press.
void print_table(Context& ctx);

// graph: the finite points into the plot.
void plot_table(Context& ctx);

// null: refines every sign change of the table, running `block` (a tabulation block made with
// the extra point) again over each interval, depth first.
class ZeroSearch {
public:
  ZeroSearch(Context& ctx, runner::CodeBlock& block);
  void run();
  // Two values per zero: its position and its precision.
  const runner::Stack<double>& zeros() const { return zeros_; }
  std::int64_t cycles() const { return cycles_; }

private:
  bool scan_table();
  void record(double at, double precision);
  bool refine(double from, double to, double h);

  Context& ctx_;
  runner::CodeBlock& block_;
  runner::Stack<double> intervals_;
  runner::Stack<double> zeros_;
  std::int64_t cycles_ = 0;
};

} // namespace tovik::analysis
