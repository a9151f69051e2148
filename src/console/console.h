#pragma once
// The console shell's entry points used across the program.

#include "console/command_line.h"
#include "context/output.h"

#include <string>
#include <string_view>

namespace tovik {
struct Context;
}

namespace tovik::console {

// Installs the console's services on the context for the layers below it: running a console
// line, reading an input line and showing a new object.
void attach_console(Context& ctx);

// Shows a value with the `value_format` setting; nothing for the error value.
void print_value(Context& ctx, double value);

// Runs one split command line: a console command, or a math command whose value is printed.
void dispatch_line(Context& ctx, CommandLine& line);
// Runs one command given as text (at most 10239 characters of it).
void run_command_text(Context& ctx, std::string_view text);

// Reads one line of standard input for the running code (without its line end), at most `bound`
// characters of it: the rest of a longer line waits for the next read. False at the end of the
// input.
bool read_input_line(Context& ctx, std::string& line, std::size_t bound);

// Flushes the output and ends the process with the status, which is not 0 when the output could
// not be written.
[[noreturn]] void end_process(Context& ctx, int status);

// Flushes the output; the status, or 1 (with a line on standard error) when the output could not
// be written.
int output_status(Context& ctx, int status);

} // namespace tovik::console
