#include "console/save.h"

#include "code/emit.h"
#include "console/command_line.h"
#include "console/file_io.h"
#include "console/files.h"
#include "console/whole_file.h"
#include "context/atomic_file.h"
#include "context/context.h"
#include "context/output.h"
#include "numout/exact_text.h"

#include <optional>

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

namespace {

// The line that defines one object again: its text, or for a plain-valued variable its exact
// value (the shown digits are cut short).
std::string def_line(const Context& ctx, const std::string& name, const std::string& text,
                     const runner::CodeBlock& code) {
  const objects::GlobalObject* object = ctx.objects.find(name);
  if (object && !object->text && objects::is_plain_block(code))
    return "def " + name + " " + numout::exact_number_text(objects::plain_block_value(code)) + "\n";
  return "def " + text + "\n";
}

// A saved line is read back whole only when it fits a command line.
constexpr std::size_t longest_line = command_text_limit;

} // namespace

std::string objects_text(const Context& ctx) {
  std::string out;
  ctx.objects.for_each_object(nullptr, [&](const std::string& name, const std::string& text,
                                           const runner::CodeBlock& code,
                                           std::FILE*) { out += def_line(ctx, name, text, code); });
  return out;
}

std::optional<std::string> object_too_long(const Context& ctx) {
  std::optional<std::string> found;
  ctx.objects.for_each_object(nullptr, [&](const std::string& name, const std::string& text,
                                           const runner::CodeBlock& code, std::FILE*) {
    if (!found && def_line(ctx, name, text, code).size() - 1 > longest_line) found = name;
  });
  return found;
}

std::string code_file_bytes(const Context& ctx) {
  std::string out;
  ctx.objects.for_each_object(
      nullptr, [&](const std::string& name, const std::string& text, const runner::CodeBlock& code,
                   std::FILE*) { runner::emit(out, runner::Op::func, name, code, text); });
  runner::emit(out, runner::Op::ret);
  return out;
}

namespace {

// Writes one file with the messages of saving; true when it was written.
bool write_with_messages(Context& ctx, const std::string& name, std::string_view data) {
  switch (write_file_atomically(name, data)) {
  case WriteResult::cannot_open: print_cannot_open(ctx, name.c_str()); return false;
  case WriteResult::cannot_write:
    print_error_f(ctx, "Can not write file %s; the old file is kept.", name.c_str());
    return false;
  case WriteResult::ok:
    std::fprintf(ctx.out, "Writing file %s is completed.\n", name.c_str());
    return true;
  }
  return false;
}

// The checks before anything is written: a save that could not be read back whole writes
// nothing and keeps the old files.
bool can_save(Context& ctx, const char* name, const std::string& code_name) {
  if (!ctx.settings.save_code) {
    std::optional<std::string> object = object_too_long(ctx);
    if (object)
      print_error_f(ctx,
                    "Object %s does not fit in a line of %zu characters: %s is not saved "
                    "(savecode on saves it).",
                    object->c_str(), longest_line, name);
    return !object;
  }
  if (code_name.find_first_of("\"\n") != std::string::npos ||
      code_name.size() + 10 > longest_line) {
    print_error_f(ctx, "The code file name %s can not be written in %s: it is not saved.",
                  code_name.c_str(), name);
    return false;
  }
  if (same_file(name, code_name)) {
    print_error_f(ctx, "The code file %s would be the text file %s itself: it is not saved.",
                  code_name.c_str(), name);
    return false;
  }
  return true;
}

} // namespace

bool save_files(Context& ctx, const char* name) {
  std::fprintf(ctx.out, "Saving data in %s...\n", name);
  const std::string code_name = code_file_name(name);
  if (!can_save(ctx, name, code_name)) return false;
  std::string text = settings_text(ctx);
  if (!ctx.settings.save_code) return write_with_messages(ctx, name, text + objects_text(ctx));
  text += "savecode on\nruncode \"" + code_name + "\"";
  if (!write_with_messages(ctx, name, text)) return false;
  std::fprintf(ctx.out, "Saving code in %s...\n", code_name.c_str());
  return write_with_messages(ctx, code_name, code_file_bytes(ctx));
}

void save_file(Context& ctx, const char* name) { save_files(ctx, name); }

} // namespace tovik::console
