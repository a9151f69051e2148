#include "compiler/run_value.h"

#include "console/context.h"
#include "lang/number.h"
#include "runner/run_code.h"
#include "runner/run_error.h"

namespace tovik::compiler {

double run_for_value(Context& ctx, std::span<const std::uint8_t> block) {
  std::int32_t result = runner::run_code(ctx, block);
  if (result != 0) {
    runner::print_run_error(ctx, result);
    return lang::error_value();
  }
  return ctx.machine.values.pop();
}

double run_for_any_value(Context& ctx, std::span<const std::uint8_t> block) {
  std::int32_t result = runner::run_code(ctx, block);
  if (result != 0) {
    runner::print_run_error(ctx, result);
    return lang::error_value();
  }
  return ctx.machine.values.count ? ctx.machine.values.pop() : lang::error_value();
}

} // namespace tovik::compiler
