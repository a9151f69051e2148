#include "console/files.h"

#include "code/opcodes.h"
#include "compiler/drivers.h"
#include "compiler/run_value.h"
#include "console/console.h"
#include "console/file_io.h"
#include "console/whole_file.h"
#include "context/context.h"
#include "context/output.h"
#include "lang/names.h"
#include "runner/listing.h"

#include <cstring>

namespace tovik::console {

bool read_text_line(char* buffer, std::FILE* file, bool* too_long) {
  std::size_t stored = 0;
  int c = EOF;
  bool longer = false;
  while ((c = std::getc(file)) != EOF && c != '\n') {
    if (c == '\r') {
      int after = std::getc(file);
      if (after == '\n') {
        c = '\n';
        break;
      }
      if (after != EOF) std::ungetc(after, file);
    }
    if (stored < command_text_limit)
      buffer[stored++] = char(c);
    else
      longer = true;
  }
  buffer[stored] = '\0';
  if (too_long) *too_long = longer;
  return stored == 0 && c == EOF;
}

void run_file_line(Context& ctx, CommandLine& line, const char* name, unsigned number,
                   bool too_long, std::size_t limit) {
  if (too_long)
    return print_error_f(
        ctx, "%s, line %u: longer than the limit of %zu characters; nothing of it was run.", name,
        number, limit);
  split_line(line);
  dispatch_line(ctx, line);
}

void open_file(Context& ctx, const char* name) {
  std::fprintf(ctx.out, "Opening %s...\n", name);
  if (ctx.open_depth >= open_depth_limit) {
    print_error_f(ctx, "Files open each other more than %d deep: %s is not read.", open_depth_limit,
                  name);
    return;
  }
  FilePtr file = open_regular(name, "r");
  if (!file) return print_cannot_open(ctx, name);
  ++ctx.open_depth;
  CommandLine line;
  bool too_long = false;
  for (unsigned number = 1; !read_text_line(line.text.data(), file.get(), &too_long); ++number) {
    // The line is cleared for the next one as far as this one wrote, as the console's is.
    line.filled = std::uint32_t(std::strlen(line.text.data()));
    run_file_line(ctx, line, name, number, too_long, command_text_limit);
    clear_line(line);
  }
  --ctx.open_depth;
  std::fprintf(ctx.out, "Reading file %s is completed.\n", name);
}

std::string filter_math_text(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size() && text[i] != '\0'; ++i) {
    char c = text[i];
    if (c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
      while (i + 1 < text.size() && text[i + 1] != '\n' && text[i + 1] != '\0') ++i;
      continue;
    }
    if (!lang::is_blank(c)) out += c;
  }
  return out;
}

void run_math_file(Context& ctx, const char* name) {
  std::optional<std::vector<std::uint8_t>> data = read_whole_file(ctx, name);
  if (!data) return;
  std::fprintf(ctx.out, "Executing %s...\n", name);
  std::string text =
      filter_math_text(std::string_view(reinterpret_cast<const char*>(data->data()), data->size()));
  data.reset();
  double value = compiler::evaluate_text(ctx, text.c_str());
  print_value(ctx, value);
  std::fprintf(ctx.out, "Executing file %s is completed.\n", name);
}

void run_code_file(Context& ctx, const char* name) {
  std::optional<std::vector<std::uint8_t>> code = read_whole_file(ctx, name);
  if (!code) return;
  std::fprintf(ctx.out, "Executing %s...\n", name);
  code->push_back(runner::byte_of(runner::Op::ret));
  double value = compiler::run_for_any_value(ctx, *code);
  print_value(ctx, value);
  std::fprintf(ctx.out, "Executing file %s is completed.\n", name);
}

void list_code_file(Context& ctx, const char* name) {
  std::optional<std::vector<std::uint8_t>> code = read_whole_file(ctx, name);
  if (!code) return;
  code->push_back(runner::byte_of(runner::Op::ret));
  runner::list_code(ctx.out, ctx.key_waiting, "Code in file:", *code);
}

} // namespace tovik::console
