// Tovik: the console calculator. Without arguments it runs the console loop; with arguments it
// runs them as files and commands.

#include "analysis/plot_module.h"
#include "console/batch.h"
#include "console/console.h"
#include "console/startup.h"
#include "console/terminal.h"
#include "console/usage.h"
#include "context/context.h"

#include <string_view>

int main(int argc, char** argv) {
  // The options stand for themselves wherever they appear, never for file names.
  for (const char* option : {"--help", "-h", "--version", "-v"})
    for (int i = 1; i < argc; ++i)
      if (std::string_view(argv[i]) == option)
        return tovik::console::print_option(stdout, option),
               std::fflush(stdout) || std::ferror(stdout);
  static tovik::Context ctx;
  ctx.plot_window = tovik::analysis::show_module_window;
  tovik::console::attach_console(ctx);
  if (tovik::console::wants_batch(argc - 1, argv + 1))
    return tovik::console::run_batch(ctx, argc - 1, argv + 1);
  tovik::console::init_terminal(ctx);
  if (argc < 2) tovik::console::console_loop(ctx);
  return tovik::console::command_line_driver(ctx, argc - 1, argv + 1);
}
