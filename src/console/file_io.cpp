#include "console/file_io.h"

#include "console/context.h"

#include <sys/stat.h>

namespace tovik::console {

FilePtr open_regular(const char* name, const char* mode, long long* size) {
  FilePtr file(std::fopen(name, mode));
  struct stat info {};
  if (file && (fstat(fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode))) file.reset();
  if (file && size) *size = info.st_size;
  return file;
}

void print_cannot_open(Context& ctx, const char* name) {
  std::fprintf(ctx.out, "Can not open file %s.\n", name);
}

} // namespace tovik::console
