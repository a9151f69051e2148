#include "console/console.h"
#include "console/exec_code.h"
#include "console/files.h"
#include "console/math_command.h"
#include "context/context.h"
#include "context/output.h"
#include "numout/format.h"

#include <cstring>
#include <new>
#include <string>

namespace tovik::console {

namespace {

using Handler = void (*)(Context&, CommandLine&);

void each_file(Context& ctx, CommandLine& line, void (*handler)(Context&, const char*)) {
  for_each_argument(line, [&](const char* name) { handler(ctx, name); });
}

void cmd_save(Context& ctx, CommandLine& line) { each_file(ctx, line, save_file); }
void cmd_open(Context& ctx, CommandLine& line) { each_file(ctx, line, open_file); }
void cmd_runmath(Context& ctx, CommandLine& line) { each_file(ctx, line, run_math_file); }
void cmd_runcode(Context& ctx, CommandLine& line) { each_file(ctx, line, run_code_file); }
void cmd_whatcode(Context& ctx, CommandLine& line) { each_file(ctx, line, list_code_file); }

void cmd_exec(Context& ctx, CommandLine& line) {
  join_rest(line);
  if (const char* text = word_at(line, 1)) exec_typed_code(ctx, text);
}

void cmd_graph_size(Context& ctx, CommandLine& line) {
  Settings& s = ctx.settings;
  if (line.word_count >= 4) {
    s.graph_width = word_as_integer(line, 2);
    s.graph_height = word_as_integer(line, 3);
    std::fprintf(ctx.out, "GRAPH | Graphics window have new size %dx%d.\n", s.graph_width,
                 s.graph_height);
  } else {
    std::fprintf(ctx.out, "GRAPH | Graphics window have size %dx%d.\n", s.graph_width,
                 s.graph_height);
  }
}

void cmd_help(Context& ctx, CommandLine&) {
  print_line(ctx, "HELP  | Help for Tovik is in another file help.txt.");
}

// Copies a format argument, keeping it within the settings' text limit.
std::string bounded(const char* text) { return std::string(text, strnlen(text, text_limit - 1)); }

// A setting is saved as its command with the text in double quotes, on one line: a text that
// such a line could not carry back is refused, and the setting keeps its old text.
bool savable_setting(Context& ctx, const char* command, const char* text) {
  const std::size_t most = command_text_limit - std::strlen(command) - 3;
  if (std::strchr(text, '\n'))
    print_error_f(ctx, "%s: a text with a line end can not be saved; nothing changed.", command);
  else if (std::strlen(text) > most)
    print_error_f(ctx, "%s: a text can have at most %zu characters; nothing changed.", command,
                  most);
  else
    return true;
  return false;
}

// The two format settings share one shape: a message for a new format and one showing it.
struct FormatSetting {
  const char* command;
  std::string Settings::*format;
  const char* new_text;
  const char* show_text;
};

void run_format(Context& ctx, CommandLine& line, const FormatSetting& setting) {
  std::string& f = ctx.settings.*setting.format;
  const char* arg = word_at(line, 1);
  if (arg && !savable_setting(ctx, setting.command, arg)) return;
  if (arg) f = bounded(arg);
  // A format the user chooses replaces batch mode's view.
  if (arg && setting.format == &Settings::value_format) ctx.view_format.clear();
  std::fprintf(ctx.out, arg ? setting.new_text : setting.show_text, f.c_str());
}

void cmd_wrformat(Context& ctx, CommandLine& line) {
  run_format(
      ctx, line,
      {"wrformat", &Settings::value_format, "NFRMT | New format: %s.\n", "FRMAT | Format: %s.\n"});
}

void cmd_countformat(Context& ctx, CommandLine& line) {
  run_format(ctx, line,
             {"countformat", &Settings::count_format, "NCFMT | New format for count & null: %s.\n",
              "CFRMT | Format for count & null: %s.\n"});
}

void cmd_autoload(Context& ctx, CommandLine& line) {
  std::string& file = ctx.settings.autoload_file;
  const char* arg = word_at(line, 1);
  if (arg && std::strcmp(arg, "/null") == 0) {
    file.clear();
  } else if (arg) {
    if (!savable_setting(ctx, "autoload", arg)) return;
    file = bounded(arg);
    std::fprintf(ctx.out, "ALOAD | New AutoLoad file: %s.\n", file.c_str());
    return;
  }
  if (!arg && !file.empty())
    std::fprintf(ctx.out, "ALOAD | AutoLoad file: %s.\n", file.c_str());
  else
    print_line(ctx, "ALOAD | AutoLoad disabled.");
}

void cmd_stkstep(Context& ctx, CommandLine& line) {
  std::uint32_t& step = ctx.settings.stack_step;
  if (line.word_count < 2) {
    std::fprintf(ctx.out, "STACK | Current stack realloc step is %u.\n", step);
    return;
  }
  std::int32_t n = word_as_integer(line, 1);
  if (n < 1) return print_error(ctx, "Stack realloc step must be in Z and >0.");
  step = std::uint32_t(n);
  std::fprintf(ctx.out, "STACK | New stack realloc step is %u.\n", step);
}

// The on/off switches share one shape: a state message for each value and one for a bad word.
struct Switch {
  bool Settings::*flag;
  const char* on_text;
  const char* off_text;
  const char* unknown_text;
};

void run_switch(Context& ctx, CommandLine& line, const Switch& sw) {
  bool& flag = ctx.settings.*sw.flag;
  if (word_equals(line, 1, "on")) {
    flag = true;
  } else if (word_equals(line, 1, "off")) {
    flag = false;
  } else if (line.word_count >= 2) {
    print_line(ctx, sw.unknown_text);
  }
  print_line(ctx, flag ? sw.on_text : sw.off_text);
}

void cmd_savecode(Context& ctx, CommandLine& line) {
  run_switch(ctx, line,
             {&Settings::save_code, "SVCD+ | Code saving enabled.", "SVCD- | Code saving disabled.",
              "SVCDE | Unknown parameter (it must be on or off)."});
}

void cmd_showprog(Context& ctx, CommandLine& line) {
  run_switch(ctx, line,
             {&Settings::show_program, "SHOW+ | Program showing enabled.",
              "SHOW- | Program showing disabled.",
              "SHOW  | Unknown parameter (it must be on or off)."});
}

void cmd_unknown(Context& ctx, CommandLine& line) {
  Settings& s = ctx.settings;
  if (word_equals(line, 1, "NAN")) {
    s.unknown_breaks = s.unknown_warns = false;
  } else if (word_equals(line, 1, "warning")) {
    s.unknown_breaks = false;
    s.unknown_warns = true;
  } else if (word_equals(line, 1, "break")) {
    s.unknown_breaks = s.unknown_warns = true;
  } else if (line.word_count >= 2) {
    print_line(ctx, "BREAK | Unknown parameter (it must be NAN, warning or break).");
  }
  if (s.unknown_breaks)
    print_line(ctx, "BREAK | Unknown object will break code execution.");
  else if (s.unknown_warns)
    print_line(ctx, "BREAK | Unknown object will be 'not a number' and will make warning.");
  else
    print_line(ctx, "BREAK | Unknown object will be 'not a number'.");
}

struct Command {
  const char* word;
  Handler handler;
};

constexpr Command commands[] = {
    {"save", cmd_save},         {"open", cmd_open},         {"runmath", cmd_runmath},
    {"runcode", cmd_runcode},   {"exec", cmd_exec},         {"whatcode", cmd_whatcode},
    {"help", cmd_help},         {"wrformat", cmd_wrformat}, {"countformat", cmd_countformat},
    {"autoload", cmd_autoload}, {"stkstep", cmd_stkstep},   {"savecode", cmd_savecode},
    {"showprog", cmd_showprog}, {"unknown", cmd_unknown},
};

// Every expression line passes here, so the first word is found once and each command is
// compared only when its first letter matches.
Handler find_command(const CommandLine& line) {
  const char* first = word_at(line, 0);
  if (first == nullptr) return nullptr;
  if (std::strcmp(first, "graph") == 0 && word_equals(line, 1, "size")) return cmd_graph_size;
  for (const Command& c : commands)
    if (first[0] == c.word[0] && std::strcmp(first, c.word) == 0) return c.handler;
  return nullptr;
}

} // namespace

// Whatever runs out of memory ends only its own line; the console goes on with the next one.
void dispatch_line(Context& ctx, CommandLine& line) try {
  if (is_single_word(line, "exit")) {
    if (!ctx.startup_file || save_files(ctx, ctx.startup_file)) end_process(ctx, 0);
    // Leaving with the session unsaved would lose it: the program goes on instead.
    ctx.exit_unsaved = true;
    return print_error_f(ctx,
                         "%s was not saved, so the program goes on: exit again when it can be "
                         "saved, or break to leave without saving.",
                         ctx.startup_file);
  }
  if (is_single_word(line, "break")) end_process(ctx, 0);
  if (line.word_count == 0) return;
  if (Handler handler = find_command(line)) return handler(ctx, line);
  print_value(ctx, math_command(ctx, line));
} catch (const std::bad_alloc&) {
  print_error(ctx, "Not enough memory to finish this line.");
}

void print_value(Context& ctx, double value) {
  const std::string& format = ctx.view_format.empty() ? ctx.settings.value_format : ctx.view_format;
  numout::print_formatted(ctx.out, value, format.c_str());
}

void run_command_text(Context& ctx, std::string_view text) {
  if (text.size() > command_text_limit) {
    print_error_f(ctx,
                  "Command of %zu characters is longer than the limit of %u; nothing of it "
                  "was run.",
                  text.size(), command_text_limit);
    return;
  }
  CommandLine line = CommandLine::from(text);
  split_line(line);
  dispatch_line(ctx, line);
}

} // namespace tovik::console
