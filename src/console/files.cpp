#include "console/files.h"

#include "compiler/drivers.h"
#include "compiler/run_value.h"
#include "console/console.h"
#include "console/context.h"
#include "console/save.h"
#include "console/whole_file.h"
#include "numout/format.h"
#include "runner/listing.h"

#include <memory>
#include <sys/stat.h>

namespace tovik::console {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Opens a regular file for reading; a directory or anything else that cannot be read as a file
// gives null.
FilePtr open_regular(const char* name, const char* mode) {
  FilePtr file(std::fopen(name, mode));
  struct stat info {};
  if (file && (fstat(fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode))) file.reset();
  return file;
}

bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

void cannot_open(Context& ctx, const char* name) {
  std::fprintf(ctx.out, "Can not open file %s.\n", name);
}

} // namespace

bool read_text_line(char* buffer, std::FILE* file) {
  std::size_t stored = 0;
  int c = EOF;
  while (stored < line_capacity - 1 && (c = std::getc(file)) != EOF && c != '\n') {
    if (c == '\r') {
      int after = std::getc(file);
      if (after == '\n') {
        c = '\n';
        break;
      }
      if (after != EOF) std::ungetc(after, file);
    }
    buffer[stored++] = char(c);
  }
  buffer[stored] = '\0';
  return stored == 0 && c == EOF;
}

void open_file(Context& ctx, const char* name) {
  std::fprintf(ctx.out, "Opening %s...\n", name);
  if (ctx.open_depth >= open_depth_limit) {
    std::fprintf(ctx.out, "ERROR | Files open each other more than %d deep: %s is not read.\n",
                 open_depth_limit, name);
    return;
  }
  FilePtr file = open_regular(name, "r");
  if (!file) return cannot_open(ctx, name);
  ++ctx.open_depth;
  CommandLine line;
  while (!read_text_line(line.text.data(), file.get())) {
    split_line(line);
    dispatch_line(ctx, line);
    line = CommandLine{};
  }
  --ctx.open_depth;
  std::fprintf(ctx.out, "Reading file %s is completed.\n", name);
}

void save_file(Context& ctx, const char* name) {
  std::fprintf(ctx.out, "Saving data in %s...\n", name);
  write_saved_file(ctx, name);
}

std::string filter_math_text(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size() && text[i] != '\0'; ++i) {
    char c = text[i];
    if (c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
      while (i + 1 < text.size() && text[i + 1] != '\n' && text[i + 1] != '\0') ++i;
      continue;
    }
    if (!is_space(c)) out += c;
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
  numout::print_formatted(ctx.out, value, ctx.settings.value_format.c_str());
  std::fprintf(ctx.out, "Executing file %s is completed.\n", name);
}

void run_code_file(Context& ctx, const char* name) {
  std::optional<std::vector<std::uint8_t>> code = read_whole_file(ctx, name);
  if (!code) return;
  std::fprintf(ctx.out, "Executing %s...\n", name);
  code->push_back(0x12);
  double value = compiler::run_for_any_value(ctx, *code);
  numout::print_formatted(ctx.out, value, ctx.settings.value_format.c_str());
  std::fprintf(ctx.out, "Executing file %s is completed.\n", name);
}

void list_code_file(Context& ctx, const char* name) {
  std::optional<std::vector<std::uint8_t>> code = read_whole_file(ctx, name);
  if (!code) return;
  code->push_back(0x12);
  runner::list_code(ctx, "Code in file:", *code);
}

} // namespace tovik::console
