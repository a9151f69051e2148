#pragma once
// The program's two ways of running: the console loop and the command-line driver, both after
// the same start-up sequence.

namespace tovik {
struct Context;
}

namespace tovik::console {

void start_up(Context& ctx);
// Never returns: the process ends through `exit`, `break` or the end of the input.
[[noreturn]] void console_loop(Context& ctx);
// Runs the arguments (without the program name) through the file handlers; returns the status.
int command_line_driver(Context& ctx, int argc, const char* const* argv);

// The leftover reports and the status line shown before every prompt.
void print_status(Context& ctx);
// The leftover reports alone: leaked tree nodes, values left on the stacks, stack errors.
void report_leftovers(Context& ctx);

} // namespace tovik::console
