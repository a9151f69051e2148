#include "compiler/run_value.h"

#include "context/context.h"
#include "lang/number.h"
#include "runner/run_code.h"
#include "runner/run_error.h"

namespace tovik::compiler {

namespace {

// Runs the block; a run that stops prints its error line and leaves no value to take.
bool run_block(Context& ctx, std::span<const std::uint8_t> block) {
  std::int32_t result = runner::run_code(ctx, block);
  if (result != 0) runner::print_run_error(ctx, result);
  return result == 0;
}

} // namespace

double run_for_value(Context& ctx, std::span<const std::uint8_t> block) {
  return run_block(ctx, block) ? ctx.machine.values.pop() : lang::error_value();
}

double run_for_any_value(Context& ctx, std::span<const std::uint8_t> block) {
  if (!run_block(ctx, block) || ctx.machine.values.count == 0) return lang::error_value();
  return ctx.machine.values.pop();
}

} // namespace tovik::compiler
