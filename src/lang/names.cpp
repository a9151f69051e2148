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

struct Word {
  std::string_view text;
  std::uint8_t flags;
  std::uint8_t code;
};

// Every reserved word, the one table behind all the tests of this file: a name is a system
// object exactly when it appears here. An operator character is always a separator too, and
// every operator can be folded.
constexpr Word words[] = {
#define TOVIK_TOKEN_WORD(token, text, flags, code, object) {text, flags, code},
    TOVIK_TOKENS(TOVIK_TOKEN_WORD)
#undef TOVIK_TOKEN_WORD
};
static_assert(std::size(words) == token_count);

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
  for (const Word& w : words)
    if ((w.flags & flag) == flag && (length == 0 || w.text.size() == length)) ++n;
  return n;
}
static_assert(count_words(separator, 1) == 20);
static_assert(count_words(operator_char, 1) == 14);
static_assert(count_words(foldable, 0) == 14 + 4 + 16);
static_assert(std::size(words) == 20 + 4 + 38);

// The flags of single characters, derived from the table so the tokenizer's per-character test
// is one lookup.
constexpr std::array<std::uint8_t, 256> char_flags = [] {
  std::array<std::uint8_t, 256> table{};
  for (const Word& w : words)
    if (w.text.size() == 1) table[static_cast<unsigned char>(w.text[0])] = w.flags;
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
    std::size_t b = word_hash(words[i].text);
    while (table[b] != empty_bucket) b = (b + 1) % word_buckets;
    table[b] = static_cast<std::uint8_t>(i);
  }
  return table;
}();

const Word* find_word(std::string_view text) {
  if (text.empty()) return nullptr;
  for (std::size_t b = word_hash(text); word_index[b] != empty_bucket; b = (b + 1) % word_buckets)
    if (words[word_index[b]].text == text) return &words[word_index[b]];
  return nullptr;
}

const Word* find_word(const char* name) {
  return name == nullptr ? nullptr : find_word(std::string_view(name));
}

} // namespace

bool is_separator(char c) { return char_flags[static_cast<unsigned char>(c)] & separator; }

bool is_operator_char(char c) { return char_flags[static_cast<unsigned char>(c)] & operator_char; }

std::optional<Token> find_token(std::string_view text) {
  const Word* w = find_word(text);
  if (w == nullptr) return std::nullopt;
  return static_cast<Token>(w - words);
}

bool is_system_object(const char* name) { return find_word(name) != nullptr; }

bool is_foldable_name(const char* name) {
  const Word* w = find_word(name);
  return w != nullptr && (w->flags & foldable);
}

std::uint8_t operator_code(const char* name) {
  const Word* w = find_word(name);
  return w != nullptr ? w->code : none;
}

std::vector<std::string_view> keyword_names() {
  std::vector<std::string_view> names;
  for (const Word& w : words)
    if (w.text[0] >= 'A' && w.text[0] <= 'Z') names.push_back(w.text);
  return names;
}

} // namespace tovik::lang
