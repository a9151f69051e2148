#pragma once
// The console's contact with the terminal: reading command lines (with line editing at a
// terminal), the key-waiting test behind the keyboard break, and Ctrl-C.

#include "console/command_line.h"

namespace tovik {
struct Context;
}

namespace tovik::console {

inline constexpr const char* prompt_text = "Tovik 1.0.0.6>";

// Prepares the terminal services for the program's context: at a terminal, Ctrl-C becomes a
// key press instead of ending the program, and the key-waiting test is installed.
void init_terminal(Context& ctx);

// Shows the prompt and reads one console line (at most 10236 characters and the line end; a
// longer line arrives in pieces). False at the end of the input.
bool read_console_line(Context& ctx, CommandLine& line);

} // namespace tovik::console
