#include "console/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tovik::console {

namespace {

bool write_all(int fd, std::string_view data) {
  while (!data.empty()) {
    ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data.remove_prefix(std::size_t(n));
  }
  return true;
}

// An existing file keeps its permission bits; a new one gets the usual ones (umask applies).
mode_t mode_for(const std::string& name) {
  struct stat info {};
  if (::stat(name.c_str(), &info) == 0 && S_ISREG(info.st_mode)) return info.st_mode & 07777;
  return 0666;
}

} // namespace

WriteResult write_file_atomically(const std::string& name, std::string_view data) {
  struct stat info {};
  if (::stat(name.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) return WriteResult::cannot_open;
  std::string temp = name + ".tmp" + std::to_string(::getpid());
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode_for(name));
  if (fd < 0) return WriteResult::cannot_open;
  bool written = write_all(fd, data) && ::fsync(fd) == 0;
  written = ::close(fd) == 0 && written;
  if (written && ::rename(temp.c_str(), name.c_str()) == 0) return WriteResult::ok;
  ::unlink(temp.c_str());
  return WriteResult::cannot_write;
}

} // namespace tovik::console
