#pragma once
// Batch mode: command lines from files, standard input or -e arguments, run as the console runs
// them but without preamble, status lines or prompts; values on standard output, failures on
// standard error, and an exit status that says whether every line succeeded.

namespace tovik {
struct Context;
}

namespace tovik::console {

inline constexpr int status_failure = 1;    // a line reported a failure
inline constexpr int status_usage = 2;      // an unknown switch, a missing argument
inline constexpr int status_unreadable = 3; // a file could not be read, or output not written

// Whether the arguments (without the program name) ask for batch mode: -q, --batch, -e,
// --startup or --view among them.
bool wants_batch(int argc, const char* const* argv);

// Runs batch mode with the arguments (without the program name); returns the exit status.
int run_batch(Context& ctx, int argc, const char* const* argv);

} // namespace tovik::console
