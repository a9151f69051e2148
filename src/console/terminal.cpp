#include "console/terminal.h"

#include "console/completion.h"
#include "console/console.h"
#include "console/history.h"
#include "console/line_editor.h"
#include "console/type_ahead.h"
#include "context/context.h"
#include "context/output.h"
#include "lang/error_line.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace tovik::console {

namespace {

volatile std::sig_atomic_t interrupted = 0;

void on_interrupt(int) { interrupted = 1; }

// Standard input stays what it was at start-up, so it is asked once per run.
bool stdin_is_terminal() {
  static const bool terminal = ::isatty(STDIN_FILENO) == 1;
  return terminal;
}

// The terminal's own mode while a hold keeps it non-canonical (held_mode_set is then true).
termios held_mode{};
bool held_mode_set = false;

bool set_non_canonical(termios& saved) {
  if (::tcgetattr(STDIN_FILENO, &saved) != 0) return false;
  termios raw = saved;
  raw.c_lflag &= ~tcflag_t(ICANON);
  raw.c_cc[VMIN] = 0;
  raw.c_cc[VTIME] = 0;
  ::tcsetattr(STDIN_FILENO, TCSANOW, &raw);
  return true;
}

// Bytes waiting at the terminal, the keys of an unfinished line included: they are counted with
// the terminal in non-canonical mode, where every byte is readable. Nothing is read.
std::size_t terminal_waiting_bytes() {
  termios saved{};
  if (!held_mode_set && !set_non_canonical(saved)) return 0;
  int waiting = 0;
  if (::ioctl(STDIN_FILENO, FIONREAD, &waiting) != 0) waiting = 0;
  if (!held_mode_set) ::tcsetattr(STDIN_FILENO, TCSANOW, &saved);
  return waiting > 0 ? std::size_t(waiting) : 0;
}

void hold_terminal_mode(bool hold) {
  if (hold && !held_mode_set) {
    held_mode_set = set_non_canonical(held_mode);
  } else if (!hold && held_mode_set) {
    ::tcsetattr(STDIN_FILENO, TCSANOW, &held_mode);
    held_mode_set = false;
  }
}

TypeAhead type_ahead;

// What is waiting at the terminal now is input for later lines, not a key press.
void begin_run() { type_ahead.begin(terminal_waiting_bytes(), TypeAhead::Clock::now()); }

bool terminal_key_waiting() {
  if (interrupted) return true;
  return type_ahead.key_pressed(terminal_waiting_bytes(), TypeAhead::Clock::now());
}

} // namespace

bool input_buffered(std::FILE* in) {
#ifdef __GLIBC__
  return in->_IO_read_ptr < in->_IO_read_end;
#else
  (void)in;
  return false; // unknown: treat every read as one that may wait
#endif
}

void flush_before_read(std::FILE* out, std::FILE* in) {
  if (!input_buffered(in)) std::fflush(out);
}

bool read_plain_line(std::FILE* in, CommandLine& line, std::size_t& length) {
  clear_line(line);
  length = 0;
  int c = EOF;
  // Nothing else reads the stream meanwhile, so the bytes are taken without its lock.
  while ((c = getc_unlocked(in)) != EOF && c != '\n') {
    if (length < console_line_limit) line.text[length] = char(c);
    ++length;
  }
  line.filled = std::uint32_t(std::min(length, console_line_limit));
  return !(length == 0 && c == EOF);
}

namespace {

// At a terminal input is read byte by byte so that nothing after the line is taken from the
// terminal into a buffer the line editor cannot see. A byte looked at past a line that just fits
// its bound waits here for the next read.
int pushed_back = EOF;

int next_input_byte(bool terminal) {
  int c = pushed_back;
  pushed_back = EOF;
  if (c != EOF) return c;
  if (!terminal) return std::getchar();
  for (;;) {
    unsigned char byte;
    ssize_t n = ::read(STDIN_FILENO, &byte, 1);
    if (n < 0 && errno == EINTR) continue;
    return n == 1 ? byte : EOF;
  }
}

// The line editor; none when standard input is no terminal or the editor could not be loaded.
std::optional<LineEditor> editor;

// Tab completion works on the one program context; editline's callbacks carry no argument.
const Context* completion_context = nullptr;
std::vector<std::string> completion_matches;

char* next_completion(const char*, int state) {
  if (state < 0 || std::size_t(state) >= completion_matches.size()) return nullptr;
  return strdup(completion_matches[std::size_t(state)].c_str());
}

char** complete_word(const char* text, int start, int) {
  std::string_view before(*editor->line_buffer, std::size_t(start));
  std::size_t first = before.find_first_not_of(" \t");
  std::string_view command;
  if (first != std::string_view::npos) {
    std::size_t end = before.find_first_of(" \t", first);
    command = before.substr(first, end == std::string_view::npos ? end : end - first);
    // File commands complete file names (editline's own completion, when nothing is offered).
    if (end != std::string_view::npos && takes_file_names(command)) return nullptr;
  }
  *editor->attempted_completion_over = 1;
  completion_matches = completions(*completion_context, text, first == std::string_view::npos);
  return editor->completion_matches(text, next_completion);
}

void init_completion(const Context& ctx) {
  completion_context = &ctx;
  *editor->readline_name = "tovik";
  // Words end where the language's tokens do, so names inside expressions complete too.
  *editor->word_break_characters = " \t\"!$&()*+,-/;<=>@[]^|~";
  *editor->attempted_completion_function = complete_word;
}

bool read_edited_line(Context& ctx, std::string& text) {
  interrupted = 0;
  char* typed = editor->readline(prompt_text);
  if (!typed && interrupted) {
    // Ctrl-C at the prompt abandons the typed line.
    interrupted = 0;
    pushed_back = EOF;
    std::fputc('\n', stdout);
    text.clear();
    return true;
  }
  // A byte READ looked at past its bound is the start of this line: the editor never saw it.
  text.clear();
  if (pushed_back != EOF) text += char(pushed_back);
  pushed_back = EOF;
  if (!typed) {
    std::fputc('\n', stdout);
    return !text.empty();
  }
  text += typed;
  std::free(typed);
  remember_line(ctx, *editor, text);
  return true;
}

// Without the line editor: the line as the terminal's own line editing delivers it (a Ctrl-C
// while typing drops what was typed there; it is no key press for the next run).
bool read_unedited_line(Context& ctx, std::string& text) {
  std::fputs(prompt_text, ctx.out);
  std::fflush(ctx.out);
  text.clear();
  int c = EOF;
  while ((c = next_input_byte(true)) != EOF && c != '\n') text += char(c);
  interrupted = 0;
  return !(text.empty() && c == EOF);
}

} // namespace

void init_terminal(Context& ctx) {
  if (!stdin_is_terminal()) return;
  struct sigaction action {};
  action.sa_handler = on_interrupt;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGINT, &action, nullptr);
  ctx.key_waiting = terminal_key_waiting;
  ctx.hold_key_mode = hold_terminal_mode;
  std::string why;
  editor = load_line_editor(line_editor_file, why);
  if (editor)
    init_completion(ctx);
  else
    std::fprintf(ctx.out,
                 "WARN  | The line editor could not be loaded (%s); lines are read without "
                 "editing.\n",
                 why.c_str());
}

bool read_console_line(Context& ctx, CommandLine& line) {
  clear_line(line);
  std::size_t length = 0;
  if (stdin_is_terminal()) {
    static bool history_loaded = false;
    if (!history_loaded && editor) load_history(ctx, *editor);
    history_loaded = true;
    std::fflush(ctx.out);
    std::string text;
    if (!(editor ? read_edited_line(ctx, text) : read_unedited_line(ctx, text))) return false;
    length = text.size();
    if (length <= console_line_limit) line = CommandLine::from(text);
    begin_run();
  } else {
    std::fputs(prompt_text, ctx.out);
    flush_before_read(ctx.out, stdin);
    if (!read_plain_line(stdin, line, length)) return false;
  }
  if (length > console_line_limit) {
    // Refused whole: a piece of a line could run as a different command.
    clear_line(line);
    print_error_f(ctx,
                  "Line of %zu characters is longer than the limit of %zu; nothing of it "
                  "was run.",
                  length, console_line_limit);
  }
  return true;
}

bool read_input_line(Context& ctx, std::string& line, std::size_t bound) {
  const bool terminal = stdin_is_terminal();
  if (terminal)
    std::fflush(ctx.out);
  else
    flush_before_read(ctx.out, stdin);
  line.clear();
  int c = EOF;
  while (line.size() < bound && (c = next_input_byte(terminal)) != EOF && c != '\n')
    line += char(c);
  if (line.size() == bound) {
    // A line that just fits is still one line: its line end goes with it.
    c = next_input_byte(terminal);
    if (c != '\n' && c != EOF) {
      if (terminal)
        pushed_back = c;
      else
        std::ungetc(c, stdin);
    }
  }
  if (terminal) begin_run();
  return !(line.empty() && c == EOF);
}

int output_status(Context& ctx, int status) {
  if (ctx.finish_output) return ctx.finish_output(ctx, status);
  if (std::fflush(ctx.out) == 0 && !std::ferror(ctx.out)) return status;
  lang::write_error_line(stderr, "The output could not be written.");
  return status != 0 ? status : 1;
}

void end_process(Context& ctx, int status) {
  status = output_status(ctx, status);
  if (ctx.end_process) ctx.end_process(status);
  std::exit(status);
}

} // namespace tovik::console
