#include "analysis/analyse_modes.h"
#include "analysis/plot.h"
#include "context/context.h"
#include "context/key_poll.h"
#include "context/output.h"
#include "lang/number.h"
#include "numout/format.h"
#include "runner/run_code.h"
#include "runner/run_error.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <span>

#include <unistd.h>

namespace tovik::analysis {

runner::Stack<double> new_value_stack() { return runner::Stack<double>(lang::error_value()); }

void empty_table(Context& ctx) { ctx.machine.values.count = ctx.machine.values.errors = 0; }

std::uint32_t point_count(const Context& ctx) { return ctx.machine.values.count / 2; }

double point_x(const Context& ctx, std::uint32_t k) { return ctx.machine.values.data()[2 * k + 1]; }

double point_y(const Context& ctx, std::uint32_t k) { return ctx.machine.values.data()[2 * k]; }

namespace {

// Printing looks at the keyboard after every line, not once a second like the loops: a user
// who stops a long table wants it to stop at once.
bool key_waiting(const Context& ctx) { return ctx.key_waiting && ctx.key_waiting(); }

constexpr std::size_t table_write_size = 64 * 1024;

bool finite_point(double x, double y) { return std::isfinite(x) && std::isfinite(y); }

// Keeps the keyboard in its looking mode for as long as a table is printed.
class KeyModeHold {
public:
  explicit KeyModeHold(const Context& ctx) : hold_(ctx.key_waiting ? ctx.hold_key_mode : nullptr) {
    if (hold_) hold_(true);
  }
  KeyModeHold(const KeyModeHold&) = delete;
  KeyModeHold& operator=(const KeyModeHold&) = delete;
  ~KeyModeHold() {
    if (hold_) hold_(false);
  }

private:
  void (*hold_)(bool);
};

std::span<const double> items(const runner::Stack<double>& list) {
  return {list.data(), list.count};
}

bool table_is_whole(Context& ctx, double from, double to, double step, bool extra_point) {
  // The x values the loop visits, in its own arithmetic; each must sit at its point's place.
  const std::uint32_t values = ctx.machine.values.count;
  std::uint32_t k = 0;
  bool whole = true;
  double x = from;
  for (bool last = false; whole && !last; x = x + step, ++k) {
    last = !(x <= to);
    if (last && !extra_point) break;
    whole = 2 * std::uint64_t(k) + 1 < values && point_x(ctx, k) == x;
  }
  if (whole && values == 2 * std::uint64_t(k)) return true;
  print_error(ctx, "The function does not leave exactly one value for each point.");
  empty_table(ctx);
  return false;
}

} // namespace

bool run_tabulation(Context& ctx, const runner::CodeBlock& block, double from, double to,
                    double step, bool extra_point) {
  const std::int32_t result = runner::run_code(ctx, block);
  if (result != 0) {
    runner::print_run_error(ctx, result);
    return false;
  }
  return table_is_whole(ctx, from, to, step, extra_point);
}

void print_table(Context& ctx) {
  const numout::ParsedFormat format(ctx.settings.count_format.c_str());
  const std::uint32_t points = point_count(ctx);
  const KeyModeHold hold(ctx);
  // Lines are gathered into writes of 64 KiB; a key still stops the table after any line. At a
  // terminal every line is shown as soon as it is made, as someone watching a slow table expects.
  const bool shown_by_line = ::isatty(::fileno(ctx.out)) == 1;
  const auto gathered = std::make_unique_for_overwrite<char[]>(table_write_size);
  numout::OutputCollector out(ctx.out, gathered.get(), table_write_size);
  for (std::uint32_t k = 0; k < points; ++k) {
    format.print(out, point_x(ctx, k));
    out.put(" -> ", 4);
    format.print(out, point_y(ctx, k));
    out.put("\n", 1);
    if (shown_by_line) out.flush();
    if (key_waiting(ctx)) {
      out.flush();
      print_line(ctx, "BREAK | Printing is broken by user.");
      break;
    }
  }
  out.flush();
  empty_table(ctx);
}

void plot_table(Context& ctx) {
  std::fputs("Making points...", ctx.out);
  runner::Stack<double> xs = new_value_stack();
  runner::Stack<double> ys = new_value_stack();
  const std::uint32_t step = ctx.settings.stack_step;
  const std::uint32_t points = point_count(ctx);
  for (std::uint32_t k = 0; k < points; ++k) {
    const double x = point_x(ctx, k);
    const double y = point_y(ctx, k);
    if (finite_point(x, y)) {
      xs.push(x, step);
      ys.push(y, step);
    }
    if (poll_break_key(ctx)) {
      print_line(ctx, "BREAK | Making points is broken by user.");
      empty_table(ctx);
      return;
    }
  }
  // A failed growth loses a value, and lists of unequal length are no plot.
  const int made = xs.count == ys.count ? int(xs.count) : 0;
  std::fprintf(ctx.out, " %d points (%d bytes) was made.\n", made, 16 * made);
  std::fputs("Graphic window...\n", ctx.out);
  // The window blocks the console; what led up to it should be on the screen meanwhile.
  std::fflush(ctx.out);
  show_graph(ctx, items(xs), items(ys));
  std::fputs("Graphic window was closed.\n", ctx.out);
  empty_table(ctx);
}

} // namespace tovik::analysis
