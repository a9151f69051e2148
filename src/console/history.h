#pragma once
// The lines typed at the terminal, kept from one run to the next in a file of the user's own:
// $XDG_STATE_HOME/tovik/history, by default ~/.local/state/tovik/history.

#include <cstddef>
#include <string>

namespace tovik {
struct Context;
}

namespace tovik::console {

struct LineEditor;

// The file keeps at most this many lines (the newest).
inline constexpr std::size_t history_limit = 1000;

// The history file's name from the environment; empty when there is no home folder to put it in.
std::string history_file_name();

// Loads the saved lines into the line editor's history. A failure only warns (once per run).
void load_history(Context& ctx, const LineEditor& editor);
// Adds one typed line to the line editor's history and to the file.
void remember_line(Context& ctx, const LineEditor& editor, const std::string& line);

} // namespace tovik::console
