#pragma once
// One command line, split in place into NUL-separated words, and the word operations on it.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tovik::console {

inline constexpr std::uint32_t line_capacity = 10240;
// The longest command given as text or read from a file: the line's capacity less its NUL.
inline constexpr std::uint32_t command_text_limit = line_capacity - 1;

struct CommandLine {
  // One spare byte past the capacity keeps every word NUL-terminated.
  std::array<char, line_capacity + 1> text{};
  std::uint32_t length = 0;
  std::uint32_t word_count = 0;
  // Bytes from the start of `text` that may be non-zero: clearing stops there, so a reused line
  // costs what its last content used, not the whole capacity.
  std::uint32_t filled = 0;

  // Copies at most `line_capacity - 1` characters of `source` into a fresh line (not yet split).
  static CommandLine from(std::string_view source);
};

// Empties the line for reuse, clearing only the bytes it used.
void clear_line(CommandLine& line);

void split_line(CommandLine& line);

// Word n, or null when there are fewer words.
const char* word_at(const CommandLine& line, std::uint32_t n);
bool word_equals(const CommandLine& line, std::uint32_t n, const char* keyword);
bool is_single_word(const CommandLine& line, const char* keyword);
// Word n with every white-space character removed; the line ends after it.
std::string compact_word(CommandLine& line, std::uint32_t n);
// All words run together as word 0.
void join_words(CommandLine& line);
// join_words, then compact_word of word 0, in one pass and without a copy: the word where it
// lies in the line, NUL-ended, valid until the line changes.
const char* join_compact_words(CommandLine& line);
// Word 1 becomes the rest of the line as typed (NULs read as blanks).
void join_rest(CommandLine& line);
std::int32_t word_as_integer(const CommandLine& line, std::uint32_t n);

template <typename F> void for_each_argument(const CommandLine& line, F&& handler) {
  for (std::uint32_t i = 1; i < line.word_count; ++i) handler(word_at(line, i));
}

} // namespace tovik::console
