#include "console/save.h"

#include "console/atomic_file.h"
#include "console/context.h"
#include "console/file_io.h"
#include "console/files.h"
#include "console/whole_file.h"
#include "numout/exact_text.h"

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

std::string objects_text(const Context& ctx) {
  std::string out;
  ctx.objects.for_each_object(nullptr, [&](const std::string& name, const std::string& text,
                                           const runner::CodeBlock& code, std::FILE*) {
    // A plain-valued variable is written with the exact value: the shown digits are cut short.
    const objects::GlobalObject* object = ctx.objects.find(name);
    if (object && !object->text && objects::is_plain_block(code))
      out +=
          "def " + name + " " + numout::exact_number_text(objects::plain_block_value(code)) + "\n";
    else
      out += "def " + text + "\n";
  });
  return out;
}

std::string code_file_bytes(const Context& ctx) {
  std::string out;
  ctx.objects.for_each_object(nullptr, [&](const std::string& name, const std::string& text,
                                           const runner::CodeBlock& code, std::FILE*) {
    out += '\x15';
    out += name;
    out += '\0';
    std::uint32_t length = std::uint32_t(code.size());
    for (int i = 0; i < 4; ++i) out += char(length >> (8 * i) & 0xFF);
    out.append(code.begin(), code.end());
    out += text;
    out += '\0';
  });
  out += '\x12';
  return out;
}

namespace {

// Writes one file with the messages of saving; true when it was written.
bool write_with_messages(Context& ctx, const std::string& name, std::string_view data) {
  switch (write_file_atomically(name, data)) {
  case WriteResult::cannot_open: print_cannot_open(ctx, name.c_str()); return false;
  case WriteResult::cannot_write:
    std::fprintf(ctx.out, "ERROR | Can not write file %s; the old file is kept.\n", name.c_str());
    return false;
  case WriteResult::ok:
    std::fprintf(ctx.out, "Writing file %s is completed.\n", name.c_str());
    return true;
  }
  return false;
}

} // namespace

void save_file(Context& ctx, const char* name) {
  std::fprintf(ctx.out, "Saving data in %s...\n", name);
  std::string text = settings_text(ctx);
  if (!ctx.settings.save_code) {
    write_with_messages(ctx, name, text + objects_text(ctx));
    return;
  }
  std::string code_name = code_file_name(name);
  text += "savecode on\nruncode \"" + code_name + "\"";
  if (!write_with_messages(ctx, name, text)) return;
  std::fprintf(ctx.out, "Saving code in %s...\n", code_name.c_str());
  write_with_messages(ctx, code_name, code_file_bytes(ctx));
}

} // namespace tovik::console
