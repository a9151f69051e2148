#include "console/whole_file.h"

#include "console/context.h"
#include "runner/code_block.h"

#include <cstdio>
#include <memory>
#include <new>
#include <sys/stat.h>

namespace tovik::console {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

std::optional<std::vector<std::uint8_t>> read_whole_file(Context& ctx, const char* name) {
  std::fprintf(ctx.out, "Reading %s...\n", name);
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(name, "rb"));
  struct stat info {};
  if (!file || fstat(fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode)) {
    std::fprintf(ctx.out, "Can not open file %s.\n", name);
    return std::nullopt;
  }
  std::vector<std::uint8_t> data;
  // Code and expressions are addressed by 32-bit positions: a larger file could not be used.
  if (std::uint64_t(info.st_size) >= runner::max_block_size) {
    std::fprintf(ctx.out, "Cannot allocate mamory for file %s.\n", name);
    return std::nullopt;
  }
  try {
    // One byte more than the file, for the RETURN or NUL that the callers put after it.
    data.reserve(std::size_t(info.st_size) + 1);
    data.resize(std::size_t(info.st_size));
  } catch (const std::exception&) {
    std::fprintf(ctx.out, "Cannot allocate mamory for file %s.\n", name);
    return std::nullopt;
  }
  if (data.empty() || std::fread(data.data(), 1, data.size(), file.get()) != data.size()) {
    std::fprintf(ctx.out, "Cannot read data from %s.\n", name);
    return std::nullopt;
  }
  return data;
}

std::string code_file_name(const std::string& text_file) {
  for (std::size_t i = text_file.size(); i-- > 1;) {
    char c = text_file[i];
    if (c == '.') return text_file.substr(0, i) + ".dat";
    if (c == '\\' || c == '/') break;
  }
  return text_file + ".dat";
}

} // namespace tovik::console
