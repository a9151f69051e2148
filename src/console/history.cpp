#include "console/history.h"

#include "console/file_io.h"
#include "console/line_editor.h"
#include "context/atomic_file.h"
#include "context/context.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tovik::console {

namespace {

// The file that is used, and whether a failure has turned it off for this run.
std::string file_name;
bool disabled = false;
// Lines in the file; when it holds twice the limit it is cut back to the newest lines.
std::size_t lines_in_file = 0;

std::string home_folder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return {};
}

// Says once why the history is not kept, and stops using the file for this run.
void warn(Context& ctx, const char* what) {
  if (disabled) return;
  disabled = true;
  std::fprintf(ctx.out,
               "WARN  | History file %s %s (%s); typed lines are kept for this run only.\n",
               file_name.c_str(), what, std::strerror(errno));
}

// Makes the folders above the file, each missing one readable by its owner only.
bool make_folders(const std::string& name) {
  for (std::size_t slash = name.find('/', 1); slash != std::string::npos;
       slash = name.find('/', slash + 1)) {
    std::string folder = name.substr(0, slash);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  return true;
}

// The newest lines of the file (all of them counted in `total`); false when it cannot be read.
// A missing file is an empty history.
bool read_lines(std::deque<std::string>& lines, std::size_t& total) {
  lines.clear();
  total = 0;
  FilePtr file = open_regular(file_name.c_str(), "r");
  if (!file) return errno == ENOENT;
  std::string line;
  for (int c; (c = std::getc(file.get())) != EOF;) {
    if (c != '\n') {
      line += char(c);
      continue;
    }
    if (line.empty()) continue;
    lines.push_back(std::move(line));
    line.clear();
    ++total;
    if (lines.size() > history_limit) lines.pop_front();
  }
  return !std::ferror(file.get());
}

bool write_lines(const std::deque<std::string>& lines) {
  std::string data;
  for (const std::string& line : lines) data += line + '\n';
  return write_file_atomically(file_name, data) == WriteResult::ok;
}

// Cuts the file back to its newest lines.
void trim_file(Context& ctx) {
  std::deque<std::string> lines;
  std::size_t total = 0;
  if (!read_lines(lines, total)) return warn(ctx, "cannot be read");
  if (total > lines.size() && !write_lines(lines)) return warn(ctx, "cannot be written");
  lines_in_file = lines.size();
}

} // namespace

std::string history_file_name() {
  const char* state = std::getenv("XDG_STATE_HOME");
  std::string base;
  if (state && state[0] == '/') {
    base = state;
  } else {
    std::string home = home_folder();
    if (home.empty()) return {};
    base = home + "/.local/state";
  }
  return base + "/tovik/history";
}

void load_history(Context& ctx, const LineEditor& editor) {
  editor.stifle_history(int(history_limit));
  file_name = history_file_name();
  if (file_name.empty()) {
    disabled = true;
    std::fputs("WARN  | No home folder for the history file; typed lines are kept for this run "
               "only.\n",
               ctx.out);
    return;
  }
  std::deque<std::string> lines;
  std::size_t total = 0;
  if (!read_lines(lines, total)) return warn(ctx, "cannot be read");
  for (const std::string& line : lines) editor.add_history(line.c_str());
  lines_in_file = total;
  if (total > history_limit) trim_file(ctx);
}

void remember_line(Context& ctx, const LineEditor& editor, const std::string& line) {
  if (line.empty()) return;
  editor.add_history(line.c_str());
  if (disabled) return;
  if (!make_folders(file_name)) return warn(ctx, "its folder cannot be made");
  int fd = ::open(file_name.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0600);
  if (fd < 0) return warn(ctx, "cannot be opened");
  std::string data = line + '\n';
  bool ok = ::write(fd, data.data(), data.size()) == ssize_t(data.size());
  ok = ::close(fd) == 0 && ok;
  if (!ok) return warn(ctx, "cannot be written");
  if (++lines_in_file > 2 * history_limit) trim_file(ctx);
}

} // namespace tovik::console
