#pragma once
// Every reserved word of the language, once: the table that the tokenizer, the name tests, the
// parser's precedence, the code generator and the runner's operators all read.
//
//   X(token, text, flags, operator code, standard-object code)
//
// Keywords are named as they are written, in lower case (with a trailing underscore where that
// is a C++ keyword); symbols by what they are. `flags` are the word's lexical kinds (separator,
// operator character, foldable at compile time), spelled as names that only the tokenizer's
// table defines. The operator code is the byte that OPER and UOPR carry,
// `none` for words that are not operators or standard functions; the standard-object code is the
// byte that STDO carries. Operator codes group by their high nibble: 0 arithmetic, 1 comparison
// and logic, 2 negation, 3 and 4 exponential and trigonometric functions, 5 number tests.

#include <cstddef>
#include <cstdint>
#include <string_view>

// clang-format off
#define TOVIK_TOKENS(X)                                                                            \
  /* Separators: each ends the current word and is a token of its own. */                          \
  X(bang, "!", operator_word, 0x20, none)                                                          \
  X(dollar, "$", separator, none, none)                                                            \
  X(ampersand, "&", operator_word, 0x17, none)                                                     \
  X(open, "(", separator, none, none)                                                              \
  X(close, ")", separator, none, none)                                                             \
  X(times, "*", operator_word, 0x02, none)                                                         \
  X(plus, "+", operator_word, 0x00, none)                                                          \
  X(comma, ",", separator, none, none)                                                             \
  X(minus, "-", operator_word, 0x01, none)                                                         \
  X(divide, "/", operator_word, 0x03, none)                                                        \
  X(semicolon, ";", operator_word, none, none)                                                     \
  X(less, "<", operator_word, 0x10, none)                                                          \
  X(assign, "=", separator, none, none)                                                            \
  X(greater, ">", operator_word, 0x11, none)                                                       \
  X(at, "@", separator, none, none)                                                                \
  X(scale_up, "[", operator_word, 0x05, none)                                                      \
  X(scale_down, "]", operator_word, 0x06, none)                                                    \
  X(power, "^", operator_word, 0x04, none)                                                         \
  X(bar, "|", operator_word, 0x18, none)                                                           \
  X(tilde, "~", operator_word, 0x16, none)                                                         \
  /* The comparisons the tokenizer makes from two separator characters. */                         \
  X(less_equal, "<=", foldable, 0x12, none)                                                        \
  X(greater_equal, ">=", foldable, 0x13, none)                                                     \
  X(not_equal, "!=", foldable, 0x14, none)                                                         \
  X(equal, "==", foldable, 0x15, none)                                                             \
  /* Keywords and standard functions. */                                                           \
  X(abs, "ABS", foldable, 0x50, none)                                                              \
  X(acos, "ACOS", foldable, 0x43, none)                                                            \
  X(argn, "ARGN", 0, none, none)                                                                   \
  X(args, "ARGS", 0, none, none)                                                                   \
  X(asin, "ASIN", foldable, 0x42, none)                                                            \
  X(atan, "ATAN", foldable, 0x44, none)                                                            \
  X(avr, "AVR", foldable, none, 2)                                                                 \
  X(const_, "CONST", foldable, none, none)                                                         \
  X(cos, "COS", foldable, 0x41, none)                                                              \
  X(do_, "DO", 0, none, none)                                                                      \
  X(e, "E", foldable, 0x30, none)                                                                  \
  X(fkt, "FKT", foldable, 0x32, none)                                                              \
  X(frac, "FRAC", foldable, 0x51, none)                                                            \
  X(if_, "IF", 0, none, none)                                                                      \
  X(inf, "INF", foldable, 0x52, none)                                                              \
  X(kill, "KILL", 0, none, none)                                                                   \
  X(ln, "LN", foldable, 0x31, none)                                                                \
  X(main, "MAIN", 0, none, none)                                                                   \
  X(msg, "MSG", 0, none, none)                                                                     \
  X(n_dollar, "N$", 0, none, none)                                                                 \
  X(nan, "NAN", foldable, 0x53, none)                                                              \
  X(pi, "PI", foldable, 0xFE, none)                                                                \
  X(print, "PRINT", 0, none, none)                                                                 \
  X(printc, "PRINTC", 0, none, none)                                                               \
  X(prints, "PRINTS", 0, none, none)                                                               \
  X(read, "READ", 0, none, none)                                                                   \
  X(return_, "RETURN", 0, none, none)                                                              \
  X(rnd, "RND", 0, none, 0)                                                                        \
  X(send, "SEND", 0, none, none)                                                                   \
  X(sendmyid, "SENDMYID", 0, none, none)                                                           \
  X(sin, "SIN", foldable, 0x40, none)                                                              \
  X(sleep, "SLEEP", 0, none, none)                                                                 \
  X(sum, "SUM", foldable, none, 1)                                                                 \
  X(thr, "THR", 0, none, none)                                                                     \
  X(thread, "THREAD", 0, none, none)                                                               \
  X(until, "UNTIL", 0, none, none)                                                                 \
  X(wakeup, "WAKEUP", 0, none, none)                                                               \
  X(while_, "WHILE", 0, none, none)
// clang-format on

namespace tovik::lang {

// The operator code of every text that is not an operator or standard function.
inline constexpr std::uint8_t no_operator_code = 0xFF;

enum class Token : std::uint8_t {
#define TOVIK_TOKEN_ID(token, text, flags, code, object) token,
  TOVIK_TOKENS(TOVIK_TOKEN_ID)
#undef TOVIK_TOKEN_ID
};

namespace token_columns {

inline constexpr std::uint8_t none = no_operator_code;

inline constexpr const char* texts[] = {
#define TOVIK_TOKEN_TEXT(token, text, flags, code, object) text,
    TOVIK_TOKENS(TOVIK_TOKEN_TEXT)
#undef TOVIK_TOKEN_TEXT
};

inline constexpr std::uint8_t codes[] = {
#define TOVIK_TOKEN_CODE(token, text, flags, code, object) code,
    TOVIK_TOKENS(TOVIK_TOKEN_CODE)
#undef TOVIK_TOKEN_CODE
};

inline constexpr std::uint8_t objects[] = {
#define TOVIK_TOKEN_OBJECT(token, text, flags, code, object) object,
    TOVIK_TOKENS(TOVIK_TOKEN_OBJECT)
#undef TOVIK_TOKEN_OBJECT
};

} // namespace token_columns

inline constexpr std::size_t token_count = std::size(token_columns::texts);

// The word as typed (NUL-terminated).
constexpr const char* text_of(Token t) { return token_columns::texts[std::size_t(t)]; }
// The byte OPER and UOPR carry for it; `no_operator_code` when it is no operator.
constexpr std::uint8_t code_of(Token t) { return token_columns::codes[std::size_t(t)]; }
// The byte STDO carries for a standard object.
constexpr std::uint8_t object_code_of(Token t) { return token_columns::objects[std::size_t(t)]; }

} // namespace tovik::lang
