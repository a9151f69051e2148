#include "console/batch_output.h"

namespace tovik::console {

namespace {

struct RouteRule {
  std::string_view prefix;
  LineRoute route;
  bool whole_line = false; // the line is the prefix and nothing more
};

// Lines are told apart by the beginning the console gives each kind of message.
constexpr RouteRule route_rules[] = {
    {"ERROR | ", LineRoute::failures},
    {"ZORVA | Error ", LineRoute::failures},
    {"ZORVA | Unknown object: ", LineRoute::failures},
    {"BREAK | Broken by user.", LineRoute::failures},
    {"BREAK | Unknown parameter", LineRoute::failures},
    {"SVCDE | ", LineRoute::failures},
    {"SHOW  | Unknown parameter", LineRoute::failures},
    {"SYS   | ", LineRoute::failures},
    {"Can not open file ", LineRoute::failures},
    {"Cannot allocate mamory for file ", LineRoute::failures},
    {"Cannot read data from ", LineRoute::failures},
    {"Warning: commands 7x ", LineRoute::failures},
    // An expression that gave no value; its failure was reported before it, if at all.
    {"VALUE | NAN", LineRoute::failures, true},
    {"This Part of code is not completed now.", LineRoute::failures},
    // A script knows what it defines, deletes and sets; its output is the values.
    {"DEF   | ", LineRoute::dropped},
    {"REDEF | ", LineRoute::dropped},
    {"DEL   | ", LineRoute::dropped},
    {"NFRMT | ", LineRoute::dropped},
    {"NCFMT | ", LineRoute::dropped},
};

} // namespace

LineRoute route_of(std::string_view line) {
  for (const RouteRule& rule : route_rules)
    if (rule.whole_line ? line == rule.prefix : line.starts_with(rule.prefix)) return rule.route;
  return LineRoute::values;
}

BatchOutput::BatchOutput(std::FILE* values, std::FILE* failures)
    : values_(values), failures_(failures) {
  cookie_io_functions_t io{};
  io.write = write_cookie;
  stream_ = fopencookie(this, "w", io);
}

BatchOutput::~BatchOutput() {
  if (stream_) std::fclose(stream_);
}

ssize_t BatchOutput::write_cookie(void* self, const char* data, std::size_t size) {
  static_cast<BatchOutput*>(self)->take(std::string_view(data, size));
  return ssize_t(size);
}

void BatchOutput::take(std::string_view data) {
  for (std::size_t end; (end = data.find('\n')) != std::string_view::npos;) {
    pending_.append(data.substr(0, end + 1));
    data.remove_prefix(end + 1);
    emit(pending_);
    pending_.clear();
  }
  pending_.append(data);
}

void BatchOutput::emit(std::string_view line) {
  std::string_view text = line.substr(0, line.find('\n'));
  LineRoute route = route_of(text);
  if (route == LineRoute::failures) failed_ = true;
  std::FILE* to = route == LineRoute::failures            ? failures_
                  : route == LineRoute::values && !quiet_ ? values_
                                                          : nullptr;
  if (to && std::fwrite(line.data(), 1, line.size(), to) != line.size()) lost_ = true;
}

bool BatchOutput::finish() {
  if (stream_ && std::fflush(stream_) != 0) lost_ = true;
  if (!pending_.empty()) emit(pending_);
  pending_.clear();
  for (std::FILE* f : {values_, failures_})
    if (std::fflush(f) != 0 || std::ferror(f)) lost_ = true;
  return !lost_;
}

} // namespace tovik::console
