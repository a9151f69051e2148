#include "console/whole_file.h"

#include "code/code_block.h"
#include "console/file_io.h"
#include "context/context.h"

#include <cstdio>

namespace tovik::console {

namespace {

std::optional<std::vector<std::uint8_t>> no_memory(Context& ctx, const char* name) {
  std::fprintf(ctx.out, "Cannot allocate mamory for file %s.\n", name);
  return std::nullopt;
}

} // namespace

std::optional<std::vector<std::uint8_t>> read_whole_file(Context& ctx, const char* name) {
  std::fprintf(ctx.out, "Reading %s...\n", name);
  long long size = 0;
  FilePtr file = open_regular(name, "rb", &size);
  if (!file) {
    print_cannot_open(ctx, name);
    return std::nullopt;
  }
  // Code and expressions are addressed by 32-bit positions: a larger file could not be used.
  if (std::uint64_t(size) >= runner::max_block_size) return no_memory(ctx, name);
  std::vector<std::uint8_t> data;
  try {
    // One byte more than the file, for the RETURN or NUL that the callers put after it.
    data.reserve(std::size_t(size) + 1);
    data.resize(std::size_t(size));
  } catch (const std::exception&) {
    return no_memory(ctx, name);
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
