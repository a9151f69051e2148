#include "console/batch.h"

#include "console/batch_output.h"
#include "console/console.h"
#include "console/file_io.h"
#include "console/files.h"
#include "console/startup.h"
#include "console/terminal.h"
#include "context/context.h"
#include "context/output.h"
#include "lang/error_line.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <vector>

namespace tovik::console {

namespace {

struct View {
  std::string_view name;
  const char* format;
};

constexpr View views[] = {
    {"dec", "$D#L"},
    {"hex", "$H#L"},
    {"bin", "$B#L"},
    {"oct", "$O#L"},
    {"all", default_value_format},
};

// One source of command lines, in the order of the arguments: a line given with -e, or a file
// ("-" is standard input).
struct Source {
  bool is_line;
  std::string text;
};

struct Options {
  std::vector<Source> sources;
  std::optional<std::string> startup;
  const char* view = nullptr; // the chosen view's format, or null
  bool batch = false;         // -q, --batch or -e was given
};

// The switches that take a value, as the next argument or after "=" (long ones only).
constexpr std::string_view valued_switches[] = {"-e", "--startup", "--view"};

bool is_option(std::string_view arg, std::string_view name) {
  return arg == name || (arg.starts_with(name) && arg.size() > name.size() &&
                         arg[name.size()] == '=' && name.starts_with("--"));
}

bool is_batch_flag(std::string_view arg) { return arg == "-q" || arg == "--batch"; }

bool is_valued_switch(std::string_view arg) {
  for (std::string_view name : valued_switches)
    if (is_option(arg, name)) return true;
  return false;
}

std::optional<Options> usage_error(const char* text, std::string_view arg) {
  lang::write_error_line(stderr, "%s%.*s; see tovik --help.", text, int(arg.size()), arg.data());
  return std::nullopt;
}

// The options, or null after a usage error on standard error.
std::optional<Options> parse_options(int argc, const char* const* argv) {
  Options options;
  bool only_files = false;
  for (int i = 0; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (only_files || arg == "-" || !arg.starts_with("-")) {
      options.sources.push_back({false, std::string(arg)});
      continue;
    }
    if (arg == "--") {
      only_files = true;
      continue;
    }
    if (is_batch_flag(arg)) {
      options.batch = true;
      continue;
    }
    std::string_view name = arg.substr(0, arg.find('='));
    if (!is_valued_switch(arg)) return usage_error("Unknown switch ", arg);
    std::string_view value;
    if (name.size() < arg.size())
      value = arg.substr(name.size() + 1);
    else if (i + 1 < argc)
      value = argv[++i];
    else
      return usage_error("A value must follow ", arg);
    if (name == "-e") {
      options.batch = true;
      options.sources.push_back({true, std::string(value)});
    } else if (name == "--startup") {
      options.startup = std::string(value);
    } else {
      options.view = nullptr;
      for (const View& v : views)
        if (v.name == value) options.view = v.format;
      if (!options.view) return usage_error("--view takes dec, hex, bin, oct or all, not ", value);
    }
  }
  if (!options.batch) return usage_error("--startup and --view work in batch mode: add -q", "");
  return options;
}

// The one batch run's output and file state, for the exit status, which may be asked for from
// inside a command (`exit`, `break`).
BatchOutput* batch_output = nullptr;
bool file_unreadable = false;

int finish_batch(Context&, int status) {
  if (!batch_output->finish()) {
    lang::write_error_line(stderr, "The output could not be written.");
    return status_unreadable;
  }
  if (file_unreadable) return status_unreadable;
  return status != 0 || batch_output->failed() ? status_failure : 0;
}

void cannot_read(Context& ctx, const char* what, const std::string& name, const char* why) {
  print_error_f(ctx, "Can not read %s%s: %s.", what, name.c_str(), why);
  file_unreadable = true;
}

void run_lines(Context& ctx, std::FILE* in, const char* name) {
  CommandLine line;
  std::size_t length = 0;
  for (unsigned number = 1; read_plain_line(in, line, length); ++number) {
    run_file_line(ctx, line, name, number, length > console_line_limit, console_line_limit);
    report_leftovers(ctx);
    // Each line's output is out before a read that may wait for the next line.
    flush_before_read(ctx.out, in);
  }
  if (std::ferror(in)) cannot_read(ctx, "all of ", name, std::strerror(errno));
}

void run_file(Context& ctx, const std::string& name) {
  if (name == "-") return run_lines(ctx, stdin, "standard input");
  // Any readable file will do, a pipe too (a shell's process substitution), but not a folder.
  FilePtr file(std::fopen(name.c_str(), "r"));
  struct stat info {};
  if (!file || ::fstat(fileno(file.get()), &info) != 0)
    return cannot_read(ctx, "file ", name, std::strerror(errno));
  if (S_ISDIR(info.st_mode)) return cannot_read(ctx, "file ", name, std::strerror(EISDIR));
  run_lines(ctx, file.get(), name.c_str());
}

// A start-up file that does not exist yet is an empty one: `exit` makes it. Its output but for
// failures is left out, as the console's preamble is.
void read_startup(Context& ctx, const std::string& name) {
  if (!open_regular(name.c_str(), "r")) {
    if (errno == EINVAL)
      cannot_read(ctx, "the start-up file ", name, "not a regular file");
    else if (errno != ENOENT)
      cannot_read(ctx, "the start-up file ", name, std::strerror(errno));
    return;
  }
  batch_output->set_quiet(true);
  open_file(ctx, name.c_str());
  if (!ctx.settings.autoload_file.empty()) {
    std::string autoload = ctx.settings.autoload_file; // the file may change the setting
    open_file(ctx, autoload.c_str());
  }
  std::fflush(ctx.out); // the file's messages are sorted while still quiet
  batch_output->set_quiet(false);
}

} // namespace

bool wants_batch(int argc, const char* const* argv) {
  for (int i = 0; i < argc; ++i)
    if (is_batch_flag(argv[i]) || is_valued_switch(argv[i])) return true;
  return false;
}

int run_batch(Context& ctx, int argc, const char* const* argv) {
  static std::optional<Options> options; // the start-up file's name must outlive `exit`
  options = parse_options(argc, argv);
  if (!options) return status_usage;
  static BatchOutput output(stdout, stderr);
  if (!output.stream()) {
    lang::write_error_line(stderr, "The output could not be set up.");
    return status_unreadable;
  }
  batch_output = &output;
  ctx.out = output.stream();
  ctx.finish_output = finish_batch;
  ctx.startup_file = options->startup ? options->startup->c_str() : nullptr;
  ctx.view_format = views[0].format;
  // `startup_loading` stays set for the whole run: definitions show nothing, as while the
  // start-up file is read, so that a script's output is its values.
  if (options->startup) read_startup(ctx, *options->startup);
  if (options->view) ctx.view_format = options->view;
  if (options->sources.empty()) run_lines(ctx, stdin, "standard input");
  for (const Source& source : options->sources) {
    if (source.is_line) {
      run_command_text(ctx, source.text);
      report_leftovers(ctx);
    } else {
      run_file(ctx, source.text);
    }
  }
  return output_status(ctx, 0);
}

} // namespace tovik::console
