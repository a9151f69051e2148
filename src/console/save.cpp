#include "console/save.h"

#include "console/atomic_file.h"
#include "console/context.h"

namespace tovik::console {

namespace {

void add_quoted(std::string& out, const char* command, const std::string& value) {
  out += command;
  out += " \"";
  out += value;
  out += "\"\n";
}

} // namespace

std::string settings_text(const Context& ctx) {
  const Settings& s = ctx.settings;
  std::string out;
  if (s.show_program) out += "showprog on\n";
  if (!s.unknown_breaks) out += s.unknown_warns ? "unknown warning\n" : "unknown NAN\n";
  if (s.value_format != default_value_format) add_quoted(out, "wrformat", s.value_format);
  if (s.count_format != default_count_format) add_quoted(out, "countformat", s.count_format);
  if (s.graph_width != 640 || s.graph_height != 480)
    out +=
        "graph size " + std::to_string(s.graph_width) + " " + std::to_string(s.graph_height) + "\n";
  if (s.stack_step != 1024) out += "stkstep " + std::to_string(s.stack_step) + "\n";
  if (!s.autoload_file.empty()) add_quoted(out, "autoload", s.autoload_file);
  return out;
}

void write_saved_file(Context& ctx, const char* name) {
  std::string text = settings_text(ctx);
  switch (write_file_atomically(name, text)) {
  case WriteResult::cannot_open: std::fprintf(ctx.out, "Can not open file %s.\n", name); return;
  case WriteResult::cannot_write:
    std::fprintf(ctx.out, "ERROR | Can not write file %s; the old file is kept.\n", name);
    return;
  case WriteResult::ok: std::fprintf(ctx.out, "Writing file %s is completed.\n", name); return;
  }
}

} // namespace tovik::console
