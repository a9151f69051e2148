#pragma once
// The line editor (editline), loaded while the program runs and only when standard input is a
// terminal, the one case it serves: a start with piped input loads none of it.

#include <optional>
#include <string>

#include <editline/readline.h>

namespace tovik::console {

// The editor's functions and settings that the console uses, with the types of its header.
struct LineEditor {
  decltype(&::readline) readline;
  decltype(&::add_history) add_history;
  decltype(&::stifle_history) stifle_history;
  decltype(&::rl_completion_matches) completion_matches;
  decltype(&::rl_line_buffer) line_buffer;
  decltype(&::rl_attempted_completion_over) attempted_completion_over;
  decltype(&::rl_readline_name) readline_name;
  decltype(&::rl_basic_word_break_characters) word_break_characters;
  decltype(&::rl_attempted_completion_function) attempted_completion_function;
};

inline constexpr const char* line_editor_file = "libedit.so.2";

// Loads the editor from `file`; nothing when it cannot be loaded or lacks a part, with the reason
// (one line naming the file) in `why`. A loaded editor stays for the rest of the run.
std::optional<LineEditor> load_line_editor(const char* file, std::string& why);

} // namespace tovik::console
