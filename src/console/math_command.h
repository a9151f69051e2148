#pragma once
// Lines that are no console command: expressions and the commands that work on them.

#include "console/command_line.h"

namespace tovik {
struct Context;
}

namespace tovik::console {

// Returns the value to print, or the error value when there is nothing to print.
double math_command(Context& ctx, CommandLine& line);

} // namespace tovik::console
