#include "console/file_io.h"

#include "context/context.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tovik::console {

FilePtr open_regular(const char* name, const char* mode, long long* size) {
  // Opening a FIFO for reading would wait for a writer: open without waiting, look at what the
  // name is, and only then hand a regular file over to the stream, in blocking mode again.
  int fd = ::open(name, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat info {};
  int flags = fcntl(fd, F_GETFL);
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || flags < 0 ||
      fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    ::close(fd);
    return nullptr;
  }
  FilePtr file(fdopen(fd, mode));
  if (!file) {
    ::close(fd);
    return nullptr;
  }
  if (size) *size = info.st_size;
  return file;
}

void print_cannot_open(Context& ctx, const char* name) {
  std::fprintf(ctx.out, "Can not open file %s.\n", name);
}

} // namespace tovik::console
