#include "console/terminal.h"

#include "console/completion.h"
#include "console/console.h"
#include "console/context.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <poll.h>
#include <string>
#include <termios.h>
#include <unistd.h>

#include <editline/readline.h>

namespace tovik::console {

namespace {

// One console read takes at most this many characters, its line end included.
constexpr std::size_t console_read = 10237;

volatile std::sig_atomic_t interrupted = 0;

void on_interrupt(int) { interrupted = 1; }

bool stdin_is_terminal() { return ::isatty(STDIN_FILENO) == 1; }

// Looks for a waiting key without reading it: the terminal is switched to non-canonical mode
// for a moment so that a key counts before its line is complete.
bool terminal_key_waiting() {
  if (interrupted) return true;
  termios saved{};
  if (::tcgetattr(STDIN_FILENO, &saved) != 0) return false;
  termios raw = saved;
  raw.c_lflag &= ~tcflag_t(ICANON);
  raw.c_cc[VMIN] = 0;
  raw.c_cc[VTIME] = 0;
  ::tcsetattr(STDIN_FILENO, TCSANOW, &raw);
  pollfd fd{STDIN_FILENO, POLLIN, 0};
  bool waiting = ::poll(&fd, 1, 0) > 0 && (fd.revents & POLLIN);
  ::tcsetattr(STDIN_FILENO, TCSANOW, &saved);
  return waiting;
}

// At a terminal a whole line is edited at once; what passes one read's worth waits here for
// the next reads.
std::string pending;

void take_pending(CommandLine& line) {
  std::size_t n = std::min(pending.size(), console_read);
  line = CommandLine::from(std::string_view(pending).substr(0, n));
  pending.erase(0, n);
}

// Reads like one console read: up to the line end or `console_read` characters. Only a real
// line end is removed; a longer line simply continues in the next read.
bool read_console_piece(CommandLine& line) {
  line = CommandLine{};
  std::size_t n = 0;
  int c = EOF;
  while (n < console_read && (c = std::getchar()) != EOF) {
    if (c == '\n') return true;
    line.text[n++] = char(c);
  }
  return n > 0;
}

bool read_plain_line(std::string& text) {
  text.clear();
  int c;
  while ((c = std::getchar()) != EOF && c != '\n') text += char(c);
  return !(text.empty() && c == EOF);
}

// Tab completion works on the one program context; editline's callbacks carry no argument.
const Context* completion_context = nullptr;
std::vector<std::string> completion_matches;

char* next_completion(const char*, int state) {
  if (state < 0 || std::size_t(state) >= completion_matches.size()) return nullptr;
  return strdup(completion_matches[std::size_t(state)].c_str());
}

char** complete_word(const char* text, int start, int) {
  std::string_view before(rl_line_buffer, std::size_t(start));
  std::size_t first = before.find_first_not_of(" \t");
  std::string_view command;
  if (first != std::string_view::npos) {
    std::size_t end = before.find_first_of(" \t", first);
    command = before.substr(first, end == std::string_view::npos ? end : end - first);
    // File commands complete file names (editline's own completion, when nothing is offered).
    if (end != std::string_view::npos && takes_file_names(command)) return nullptr;
  }
  rl_attempted_completion_over = 1;
  completion_matches = completions(*completion_context, text, first == std::string_view::npos);
  return rl_completion_matches(text, next_completion);
}

void init_completion(const Context& ctx) {
  completion_context = &ctx;
  rl_readline_name = "tovik";
  // Words end where the language's tokens do, so names inside expressions complete too.
  rl_basic_word_break_characters = " \t\"!$&()*+,-/;<=>@[]^|~";
  rl_attempted_completion_function = complete_word;
}

bool read_edited_line(std::string& text) {
  interrupted = 0;
  char* typed = ::readline(prompt_text);
  if (!typed && interrupted) {
    // Ctrl-C at the prompt abandons the typed line.
    interrupted = 0;
    std::fputc('\n', stdout);
    text.clear();
    return true;
  }
  if (!typed) {
    std::fputc('\n', stdout);
    return false;
  }
  text = typed;
  if (!text.empty()) ::add_history(typed);
  std::free(typed);
  return true;
}

} // namespace

void init_terminal(Context& ctx) {
  if (!stdin_is_terminal()) return;
  struct sigaction action {};
  action.sa_handler = on_interrupt;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGINT, &action, nullptr);
  ctx.key_waiting = terminal_key_waiting;
  init_completion(ctx);
}

bool read_console_line(Context& ctx, CommandLine& line) {
  if (!stdin_is_terminal()) {
    std::fputs(prompt_text, ctx.out);
    std::fflush(ctx.out);
    return read_console_piece(line);
  }
  if (pending.empty()) {
    std::fflush(ctx.out);
    if (!read_edited_line(pending)) return false;
    if (pending.empty()) {
      line = CommandLine{};
      return true;
    }
  }
  take_pending(line);
  return true;
}

bool poll_break_key(Context& ctx) {
  std::int64_t now = ctx.clock ? ctx.clock() : std::int64_t(std::time(nullptr));
  if (now <= ctx.last_key_check) return false;
  ctx.last_key_check = now;
  return ctx.key_waiting && ctx.key_waiting();
}

bool read_input_line(Context& ctx, std::string& line) {
  std::fflush(ctx.out);
  return read_plain_line(line);
}

int output_status(Context& ctx, int status) {
  if (std::fflush(ctx.out) == 0 && !std::ferror(ctx.out)) return status;
  std::fputs("ERROR | The output could not be written.\n", stderr);
  return status != 0 ? status : 1;
}

void end_process(Context& ctx, int status) {
  status = output_status(ctx, status);
  if (ctx.end_process) ctx.end_process(status);
  std::exit(status);
}

} // namespace tovik::console
