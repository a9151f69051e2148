#pragma once
// Opening the user's files: only regular files count, and a file that cannot be opened gets one
// message, wherever it is met.

#include <cstdio>
#include <memory>

namespace tovik {
struct Context;
}

namespace tovik::console {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// The file opened for reading with `mode`, or null with errno set; a folder, a FIFO or anything
// else that is not a regular file gives null too (EINVAL), without waiting. `size` (when given)
// receives its length.
FilePtr open_regular(const char* name, const char* mode, long long* size = nullptr);

// "Can not open file NAME."
void print_cannot_open(Context& ctx, const char* name);

} // namespace tovik::console
