#include "console/command_line.h"
#include "lang/names.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace tovik::console {

namespace {

std::uint32_t count_words(const CommandLine& line) {
  std::uint32_t words = 0;
  for (std::uint32_t i = 0; i < line.length; ++i)
    if (line.text[i] != '\0' && (i == 0 || line.text[i - 1] == '\0')) ++words;
  return words;
}

// Index of the first character of word n, or line.length when there is none.
std::uint32_t word_start(const CommandLine& line, std::uint32_t n) {
  std::uint32_t seen = 0;
  for (std::uint32_t i = 0; i < line.length; ++i) {
    if (line.text[i] == '\0' || (i > 0 && line.text[i - 1] != '\0')) continue;
    if (seen++ == n) return i;
  }
  return line.length;
}

} // namespace

CommandLine CommandLine::from(std::string_view source) {
  CommandLine line;
  std::size_t n = std::min<std::size_t>(source.size(), line_capacity - 1);
  std::copy_n(source.data(), n, line.text.data());
  line.filled = std::uint32_t(n);
  return line;
}

void clear_line(CommandLine& line) {
  std::fill_n(line.text.begin(), std::max(line.filled, line.length), '\0');
  line.length = 0;
  line.word_count = 0;
  line.filled = 0;
}

void split_line(CommandLine& line) {
  auto& t = line.text;
  std::uint32_t i = 0;
  while (i < line_capacity && t[i] != '\0') {
    if (t[i] == '"') {
      t[i++] = '\0';
      while (i < line_capacity && t[i] != '\0' && t[i] != '"') ++i;
      if (i < line_capacity && t[i] == '"') t[i++] = '\0';
      continue;
    }
    if (lang::is_blank(t[i])) t[i] = '\0';
    ++i;
  }
  line.length = i;
  line.word_count = count_words(line);
}

const char* word_at(const CommandLine& line, std::uint32_t n) {
  if (n >= line.word_count) return nullptr;
  std::uint32_t start = word_start(line, n);
  return start < line.length ? line.text.data() + start : nullptr;
}

bool word_equals(const CommandLine& line, std::uint32_t n, const char* keyword) {
  const char* word = word_at(line, n);
  return word && keyword && std::strcmp(word, keyword) == 0;
}

bool is_single_word(const CommandLine& line, const char* keyword) {
  return line.word_count == 1 && word_equals(line, 0, keyword);
}

std::string compact_word(CommandLine& line, std::uint32_t n) {
  if (n >= line.word_count) return {};
  std::uint32_t start = word_start(line, n);
  std::uint32_t out = start;
  std::uint32_t i = start;
  for (; i < line.length && line.text[i] != '\0'; ++i)
    if (!lang::is_blank(line.text[i])) line.text[out++] = line.text[i];
  // The line now ends right after this word.
  std::fill(line.text.begin() + out, line.text.begin() + std::max(out, line.length), '\0');
  line.length = out;
  line.word_count = count_words(line);
  return std::string(line.text.data() + start, out - start);
}

namespace {

// The characters that `keep` accepts, run together as the one word of the line.
template <class Keep> void squeeze(CommandLine& line, Keep keep) {
  std::uint32_t out = 0;
  for (std::uint32_t i = 0; i < line.length; ++i)
    if (keep(line.text[i])) line.text[out++] = line.text[i];
  std::fill(line.text.begin() + out, line.text.begin() + line.length, '\0');
  line.length = out;
  line.word_count = out > 0 ? 1 : 0;
}

} // namespace

void join_words(CommandLine& line) {
  squeeze(line, [](char c) { return c != '\0'; });
}

const char* join_compact_words(CommandLine& line) {
  squeeze(line, [](char c) { return c != '\0' && !lang::is_blank(c); });
  return line.text.data();
}

void join_rest(CommandLine& line) {
  if (line.word_count < 2) return;
  for (std::uint32_t i = word_start(line, 1); i < line.length; ++i)
    if (line.text[i] == '\0') line.text[i] = ' ';
  line.word_count = 2;
}

std::int32_t word_as_integer(const CommandLine& line, std::uint32_t n) {
  const char* word = word_at(line, n);
  if (!word) return 0;
  errno = 0;
  long long v = std::strtoll(word, nullptr, 10);
  return std::int32_t(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
}

} // namespace tovik::console
