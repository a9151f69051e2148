#pragma once
// The vocabulary of the language: the characters that split expression text into tokens, the
// names the language reserves for itself, the names whose subtrees can be evaluated once at
// compile time, all read from the token table (tokens.h, which also gives each word's one-byte
// codes). All name comparisons are exact and case-sensitive.

#include "lang/tokens.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tovik::lang {

// True for the white space that separates the words of a command line.
constexpr bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
// True for the characters that end a word and form a token of their own.
bool is_separator(char c);
// True for the single characters that denote operators.
bool is_operator_char(char c);

// The name tests take NUL-terminated names; a null or empty name is none of these.
bool is_system_object(const char* name);
bool is_foldable_name(const char* name);
// The reserved word a text is, if any; one hash probe and one comparison. Its operator and
// standard-object codes come from the token table (code_of, object_code_of).
std::optional<Token> find_token(std::string_view text);
// Whether a subtree headed by the word can be evaluated once at compile time.
bool is_foldable(Token token);

// The reserved words that are names (keywords, standard functions and constants), in the
// table's order; for completion at the prompt.
std::vector<std::string_view> keyword_names();

} // namespace tovik::lang
