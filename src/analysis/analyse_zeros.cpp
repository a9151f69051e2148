#include "analysis/analyse_modes.h"
#include "analysis/analyse_setup.h"
#include "code/code_block.h"
#include "compiler/drivers.h"
#include "context/context.h"
#include "context/key_poll.h"
#include "context/output.h"

#include <cinttypes>
#include <cstdio>

namespace tovik::analysis {

namespace {

// Sign changes are refined until an eighth of the interval no longer moves its left end, or is
// below this fraction of it.
constexpr double resolution = 1e12;

bool sign_changes(double left, double right) {
  return (left < 0 && 0 < right) || (left > 0 && 0 > right);
}

// Left ends at or below zero are only stopped by the first test. Before it stops them, h can
// still move an odd left end by rounding up to the next even value, where adding h no longer
// moves x and the tabulation would never end; such an interval is as refined as it can be.
bool resolved(double from, double to, double h) {
  return !(from + h > from) || !(from / h < resolution) || !step_moves_x(from, to, h);
}

} // namespace

ZeroSearch::ZeroSearch(Context& ctx, runner::CodeBlock& block)
    : ctx_(ctx), block_(block), intervals_(new_value_stack()), zeros_(new_value_stack()) {}

void ZeroSearch::record(double at, double precision) {
  zeros_.push(at, ctx_.settings.stack_step);
  zeros_.push(precision, ctx_.settings.stack_step);
  // No line end: each progress line overwrites the one before.
  std::fprintf(ctx_.out, "\rZeros %u (%" PRId64 " cycles)...", zeros_.count / 2, cycles_);
}

// False when the table has fewer than two points. The first point is only ever the left end of
// an interval, so a zero exactly there is not recorded.
bool ZeroSearch::scan_table() {
  const std::uint32_t points = point_count(ctx_);
  if (points < 2) return false;
  const std::uint32_t step = ctx_.settings.stack_step;
  for (std::uint32_t k = 1; k < points; ++k) {
    const double y = point_y(ctx_, k);
    if (y == 0) {
      record(point_x(ctx_, k), 0);
    } else if (sign_changes(point_y(ctx_, k - 1), y)) {
      intervals_.push(point_x(ctx_, k - 1), step);
      intervals_.push(point_x(ctx_, k), step);
    }
  }
  return true;
}

// Tabulates [from, to] in eight steps of h and one point beyond; false after a run error or a
// table without exactly one value for each point.
bool ZeroSearch::refine(double from, double to, double h) {
  const std::int64_t exit = runner::read_i32(block_.data() + compiler::tabulation_exit_at);
  const std::int64_t step_at = exit + compiler::tabulation_step_after_exit;
  if (step_at < 0 || std::uint64_t(step_at) + 8 > block_.size()) return false;
  runner::write_f64(block_.data() + compiler::tabulation_from_at, from);
  runner::write_f64(block_.data() + compiler::tabulation_to_at, to);
  runner::write_f64(block_.data() + step_at, h);
  ++cycles_;
  return run_tabulation(ctx_, block_, from, to, h, true);
}

void ZeroSearch::run() {
  std::fputs("Finding zeros...", ctx_.out);
  for (;;) {
    if (poll_break_key(ctx_)) {
      print_line(ctx_, "BREAK | Finding zeros is broken by user.");
      empty_table(ctx_);
      return;
    }
    if (ctx_.machine.values.count != 0) {
      const bool scanned = scan_table();
      empty_table(ctx_);
      if (!scanned) return;
    }
    // The most recent interval first: the search goes depth first. With none left it is over.
    if (intervals_.count < 2) return;
    const double to = intervals_.pop();
    const double from = intervals_.pop();
    const double h = (to - from) * 0.125;
    if (resolved(from, to, h)) {
      record(from, h);
      continue;
    }
    if (!refine(from, to, h)) return;
  }
}

} // namespace tovik::analysis
