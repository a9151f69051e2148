#include "console/exec_code.h"

#include "console/console.h"

namespace tovik::console {

// Placeholder until the code runner lands; the runner work replaces this file.
void exec_typed_code(Context& ctx, const char*) {
  print_error(ctx, "Typed code can not be run yet.");
}

} // namespace tovik::console
