#include "console/startup.h"

#include "console/console.h"
#include "console/files.h"
#include "console/terminal.h"
#include "context/context.h"
#include "context/output.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cinttypes>
#include <cstdio>
#include <string>

namespace tovik::console {

void start_up(Context& ctx) {
  open_file(ctx, "Tovik.txt");
  if (!ctx.settings.autoload_file.empty()) {
    std::string name = ctx.settings.autoload_file; // the file may change the setting
    open_file(ctx, name.c_str());
  }
  ctx.settings.startup_loading = false;
  std::fputs("\nOpen file help.txt to get program help. (do not open it in Tovik! please use "
             "your text editor)\n",
             ctx.out);
}

void report_leftovers(Context& ctx) {
  runner::MachineState& m = ctx.machine;
  if (ctx.nodes.live != 0)
    print_error_f(ctx, "We have %" PRId64 " unknown tree elements.", ctx.nodes.live);
  if (m.any_in_use()) print_error(ctx, "Some of stacks are not empty.");
  if (m.values.errors || m.groups.errors || m.frames.errors) {
    print_error_f(ctx, "There are %u+%u+%u stack error(s).", m.values.errors, m.groups.errors,
                  m.frames.errors);
    m.values.errors = m.groups.errors = m.frames.errors = 0;
  }
}

// Written before every line read, so without printf.
void print_status(Context& ctx) {
  report_leftovers(ctx);
  // Each number has room for 20 digits, the most a 64-bit count has.
  char text[64];
  char* p = std::copy_n("\nOBJ: ", 6, text);
  p = std::to_chars(p, text + 26, ctx.objects.count()).ptr;
  p = std::copy_n(" SS: ", 5, p);
  p = std::to_chars(p, text + 51, ctx.machine.reserved_bytes()).ptr;
  p = std::copy_n(".\n", 2, p);
  std::fwrite(text, 1, static_cast<std::size_t>(p - text), ctx.out);
}

void console_loop(Context& ctx) {
  start_up(ctx);
  // One line reused for the whole session: each read clears only what the last line used.
  static CommandLine line;
  for (;;) {
    print_status(ctx);
    if (!read_console_line(ctx, line)) end_process(ctx, ctx.exit_unsaved ? 1 : 0);
    split_line(line);
    dispatch_line(ctx, line);
  }
}

namespace {

using FileHandler = void (*)(Context&, const char*);

void run_text_handler(Context& ctx, const char* text) { run_command_text(ctx, text); }

// The handler a two-character switch selects, or null for a switch that changes nothing.
FileHandler switch_handler(char letter) {
  switch (std::toupper(static_cast<unsigned char>(letter))) {
  case 'C': return open_file;
  case 'D': return run_text_handler;
  case 'M': return run_math_file;
  case 'S': return save_file;
  case 'X': return run_code_file;
  default: return nullptr;
  }
}

} // namespace

int command_line_driver(Context& ctx, int argc, const char* const* argv) {
  start_up(ctx);
  std::fputs("Executing commands...\n", ctx.out);
  FileHandler handler = open_file;
  for (int i = 0; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg.size() == 2 && arg[0] == '/') {
      if (FileHandler chosen = switch_handler(arg[1])) handler = chosen;
      continue;
    }
    handler(ctx, argv[i]);
  }
  std::fputs("\nPress Enter to exit.", ctx.out);
  std::fflush(ctx.out);
  std::getchar();
  return output_status(ctx, ctx.exit_unsaved ? 1 : 0);
}

} // namespace tovik::console
