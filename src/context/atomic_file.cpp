#include "context/atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace tovik {

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

std::string folder_of(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A temporary name beside `target` that is no longer than the target's own name (names of
// under 8 characters get 8), so that any name the file system takes has a temporary that fits.
std::string temporary_name(const std::string& target) {
  static std::mt19937 random{std::random_device{}()};
  static constexpr char letters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  const std::string folder = folder_of(target);
  const std::string base = target.substr(folder.size());
  const std::size_t length = std::max<std::size_t>(base.size(), 8);
  std::string name = folder + "." + base.substr(0, length - 7);
  for (int i = 0; i < 6; ++i) name += letters[random() % (sizeof letters - 1)];
  return name;
}

// A new file that did not exist before, never a link planted in its place; -1 on failure.
int create_exclusively(const std::string& target, std::string& temp) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp = temporary_name(target);
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

mode_t default_mode() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

} // namespace

std::string link_target(const std::string& name) {
  std::string path = name;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    std::string link(std::size_t(info.st_size) + 256, '\0');
    ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
    if (n <= 0 || std::size_t(n) >= link.size()) return path;
    link.resize(std::size_t(n));
    path = link[0] == '/' ? link : folder_of(path) + link;
  }
  return path;
}

namespace {

// The folder made absolute and free of links, then the file's own name.
std::string canonical_name(const std::string& target) {
  const std::string folder = folder_of(target);
  char* real = ::realpath(folder.empty() ? "." : folder.c_str(), nullptr);
  if (!real) return target;
  std::string name = std::string(real) + "/" + target.substr(folder.size());
  std::free(real);
  return name;
}

} // namespace

bool same_file(const std::string& a, const std::string& b) {
  const std::string ta = link_target(a), tb = link_target(b);
  struct stat sa {
  }, sb{};
  if (::stat(ta.c_str(), &sa) == 0 && ::stat(tb.c_str(), &sb) == 0)
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
  return ta == tb || canonical_name(ta) == canonical_name(tb);
}

WriteResult write_file_atomically(const std::string& name, std::string_view data,
                                  bool through_links) {
  const std::string target = through_links ? link_target(name) : name;
  struct stat info {};
  const bool exists = ::lstat(target.c_str(), &info) == 0;
  const bool replaced_link = exists && S_ISLNK(info.st_mode) && !through_links;
  if (exists && !S_ISREG(info.st_mode) && !replaced_link) return WriteResult::cannot_open;
  // An existing file keeps its permission bits; a new one gets the usual ones.
  const mode_t mode = exists && !replaced_link ? info.st_mode & 07777 : default_mode();
  std::string temp;
  int fd = create_exclusively(target, temp);
  if (fd < 0) return WriteResult::cannot_open;
  bool written = ::fchmod(fd, mode) == 0 && write_all(fd, data) && ::fsync(fd) == 0;
  written = ::close(fd) == 0 && written;
  if (written && ::rename(temp.c_str(), target.c_str()) == 0) return WriteResult::ok;
  ::unlink(temp.c_str());
  return WriteResult::cannot_write;
}

} // namespace tovik
