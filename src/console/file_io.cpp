#include "console/file_io.h"

#include "context/context.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tovik::console {

namespace {

// Why `fd` is not a regular file that reads in blocking mode (0 when it is): EINVAL for anything
// that is not a regular file.
int unreadable(int fd, struct stat& info) {
  if (fstat(fd, &info) != 0) return errno;
  if (!S_ISREG(info.st_mode)) return EINVAL;
  int flags = fcntl(fd, F_GETFL);
  if (flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) return errno;
  return 0;
}

} // namespace

FilePtr open_regular(const char* name, const char* mode, long long* size) {
  // Opening a FIFO for reading would wait for a writer: open without waiting, look at what the
  // name is, and only then hand a regular file over to the stream, in blocking mode again.
  int fd = ::open(name, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat info {};
  if (int error = unreadable(fd, info)) {
    ::close(fd);
    errno = error;
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
