#pragma once
// The console's contact with the terminal: reading command lines (with line editing at a
// terminal), the key-waiting test behind the keyboard break, and Ctrl-C.

#include "console/command_line.h"

#include <cstddef>
#include <cstdio>

namespace tovik {
struct Context;
}

namespace tovik::console {

inline constexpr const char* prompt_text = "Tovik 1.0.0.6>";
// The longest console line, without its line end; a longer one is refused whole.
inline constexpr std::size_t console_line_limit = 10236;

// Prepares the terminal services for the program's context: at a terminal, Ctrl-C becomes a
// key press instead of ending the program, and the key-waiting test is installed.
void init_terminal(Context& ctx);

// Shows the prompt and reads one console line. A line over `console_line_limit` characters is
// refused with a message and comes back empty. False at the end of the input.
bool read_console_line(Context& ctx, CommandLine& line);

// True when `in` holds read-ahead input, so that its next read returns without waiting.
bool input_buffered(std::FILE* in);
// Output waits in its buffer while the next read is served from input already read ahead; before
// a read that may wait for more, everything shown so far (a prompt too) is flushed.
void flush_before_read(std::FILE* out, std::FILE* in);

// Reads one line from `in` without a prompt; `length` counts every character up to the line end,
// of which at most `console_line_limit` are kept. False at the end of the input.
bool read_plain_line(std::FILE* in, CommandLine& line, std::size_t& length);

} // namespace tovik::console
