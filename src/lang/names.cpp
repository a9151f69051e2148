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
  // An operator character is always a separator too, and every operator can be folded.
  operator_word = separator | operator_char | foldable,
};

constexpr std::uint8_t none = no_operator_code;

struct Word {
  std::string_view text;
  std::uint8_t flags;
  std::uint8_t code;
};

// Every reserved word, the one table behind all the tests of this file: a name is a system
// object exactly when it appears here.
constexpr Word words[] = {
    // Separators: each ends the current word and is a token of its own.
    {"!", operator_word, 0x20},
    {"$", separator, none},
    {"&", operator_word, 0x17},
    {"(", separator, none},
    {")", separator, none},
    {"*", operator_word, 0x02},
    {"+", operator_word, 0x00},
    {",", separator, none},
    {"-", operator_word, 0x01},
    {"/", operator_word, 0x03},
    {";", operator_word, none},
    {"<", operator_word, 0x10},
    {"=", separator, none},
    {">", operator_word, 0x11},
    {"@", separator, none},
    {"[", operator_word, 0x05},
    {"]", operator_word, 0x06},
    {"^", operator_word, 0x04},
    {"|", operator_word, 0x18},
    {"~", operator_word, 0x16},
    // The comparisons the tokenizer makes from two separator characters.
    {"<=", foldable, 0x12},
    {">=", foldable, 0x13},
    {"!=", foldable, 0x14},
    {"==", foldable, 0x15},
    // Keywords and standard functions.
    {"ABS", foldable, 0x50},
    {"ACOS", foldable, 0x43},
    {"ARGN", 0, none},
    {"ARGS", 0, none},
    {"ASIN", foldable, 0x42},
    {"ATAN", foldable, 0x44},
    {"AVR", foldable, none},
    {"CONST", foldable, none},
    {"COS", foldable, 0x41},
    {"DO", 0, none},
    {"E", foldable, 0x30},
    {"FKT", foldable, 0x32},
    {"FRAC", foldable, 0x51},
    {"IF", 0, none},
    {"INF", foldable, 0x52},
    {"KILL", 0, none},
    {"LN", foldable, 0x31},
    {"MAIN", 0, none},
    {"MSG", 0, none},
    {"N$", 0, none},
    {"NAN", foldable, 0x53},
    {"PI", foldable, 0xFE},
    {"PRINT", 0, none},
    {"PRINTC", 0, none},
    {"PRINTS", 0, none},
    {"READ", 0, none},
    {"RETURN", 0, none},
    {"RND", 0, none},
    {"SEND", 0, none},
    {"SENDMYID", 0, none},
    {"SIN", foldable, 0x40},
    {"SLEEP", 0, none},
    {"SUM", foldable, none},
    {"THR", 0, none},
    {"THREAD", 0, none},
    {"UNTIL", 0, none},
    {"WAKEUP", 0, none},
    {"WHILE", 0, none},
};

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

const Word* find_word(const char* name) {
  if (name == nullptr || *name == '\0') return nullptr;
  const std::string_view text(name);
  for (const Word& w : words)
    if (w.text == text) return &w;
  return nullptr;
}

} // namespace

bool is_separator(char c) { return char_flags[static_cast<unsigned char>(c)] & separator; }

bool is_operator_char(char c) { return char_flags[static_cast<unsigned char>(c)] & operator_char; }

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
