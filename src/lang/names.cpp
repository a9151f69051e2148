#include "lang/names.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace tovik::lang {

namespace {

enum WordFlags : std::uint8_t {
  separator = 1,
  operator_char = 2,
  foldable = 4,
  operator_word = separator | operator_char | foldable,
};

constexpr std::uint8_t none = no_operator_code;

// The lexical kinds of every reserved word, the column of the token table that only this file
// reads; a name is a system object exactly when the table holds it. An operator character is
// always a separator too, and every operator can be folded.
constexpr std::uint8_t word_flags[] = {
#define TOVIK_TOKEN_FLAGS(token, text, flags, code, object) flags,
    TOVIK_TOKENS(TOVIK_TOKEN_FLAGS)
#undef TOVIK_TOKEN_FLAGS
};
static_assert(std::size(word_flags) == token_count);

constexpr std::string_view word_text(std::size_t i) { return token_columns::texts[i]; }

// A code block carries only the code, so two words with one code would run as the same thing.
constexpr bool codes_distinct(const std::uint8_t (&codes)[token_count]) {
  for (std::size_t i = 0; i < token_count; ++i)
    for (std::size_t j = i + 1; j < token_count; ++j)
      if (codes[i] != none && codes[i] == codes[j]) return false;
  return true;
}
static_assert(codes_distinct(token_columns::codes) && codes_distinct(token_columns::objects));

constexpr std::size_t count_words(std::uint8_t flag, std::size_t length) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < token_count; ++i)
    if ((word_flags[i] & flag) == flag && (length == 0 || word_text(i).size() == length)) ++n;
  return n;
}
static_assert(count_words(separator, 1) == 20);
static_assert(count_words(operator_char, 1) == 14);
static_assert(count_words(foldable, 0) == 14 + 4 + 16);
static_assert(token_count == 20 + 4 + 38);

// The flags of single characters, derived from the table so the tokenizer's per-character test
// is one lookup.
constexpr std::array<std::uint8_t, 256> char_flags = [] {
  std::array<std::uint8_t, 256> table{};
  for (std::size_t i = 0; i < token_count; ++i)
    if (word_text(i).size() == 1)
      table[static_cast<unsigned char>(word_text(i)[0])] = word_flags[i];
  return table;
}();

// The reserved words by hash: every text is compared with at most the few words of its bucket,
// instead of every word of the table in turn.
constexpr std::size_t word_buckets = 256;
constexpr std::uint8_t empty_bucket = 0xFF;

constexpr std::size_t word_hash(std::string_view text) {
  return (text.size() * 37 + static_cast<unsigned char>(text[0]) * 5 +
          static_cast<unsigned char>(text.back())) %
         word_buckets;
}

constexpr std::array<std::uint8_t, word_buckets> word_index = [] {
  std::array<std::uint8_t, word_buckets> table{};
  table.fill(empty_bucket);
  for (std::size_t i = 0; i < token_count; ++i) {
    std::size_t b = word_hash(word_text(i));
    while (table[b] != empty_bucket) b = (b + 1) % word_buckets;
    table[b] = static_cast<std::uint8_t>(i);
  }
  return table;
}();

std::optional<Token> find_name(const char* name) {
  return name == nullptr ? std::nullopt : find_token(name);
}

} // namespace

bool is_separator(char c) { return char_flags[static_cast<unsigned char>(c)] & separator; }

bool is_operator_char(char c) { return char_flags[static_cast<unsigned char>(c)] & operator_char; }

std::optional<Token> find_token(std::string_view text) {
  if (text.empty()) return std::nullopt;
  for (std::size_t b = word_hash(text); word_index[b] != empty_bucket; b = (b + 1) % word_buckets)
    if (word_text(word_index[b]) == text) return static_cast<Token>(word_index[b]);
  return std::nullopt;
}

bool is_foldable(Token token) { return word_flags[std::size_t(token)] & foldable; }

bool is_system_object(const char* name) { return find_name(name).has_value(); }

bool is_foldable_name(const char* name) {
  const std::optional<Token> token = find_name(name);
  return token && is_foldable(*token);
}

std::vector<std::string_view> keyword_names() {
  std::vector<std::string_view> names;
  for (std::size_t i = 0; i < token_count; ++i)
    if (word_text(i)[0] >= 'A' && word_text(i)[0] <= 'Z') names.push_back(word_text(i));
  return names;
}

} // namespace tovik::lang
