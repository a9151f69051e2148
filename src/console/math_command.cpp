#include "console/math_command.h"

#include "console/console.h"
#include "console/context.h"
#include "lang/number.h"

namespace tovik::console {

double math_command(Context& ctx, CommandLine& line) {
  if (line.word_count == 0) {
    print_error(ctx, "Nothing for math.");
    return lang::error_value();
  }
  print_error(ctx, "Math commands are not available yet.");
  return lang::error_value();
}

} // namespace tovik::console
