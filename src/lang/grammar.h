#pragma once
// The operator grammar that both parsers read: the precedence levels and what each token can be
// as an operator.

#include "lang/tokens.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace tovik::lang {

enum class Form : std::uint8_t { Prefix, Binary };

struct Level {
  Form form;
  std::array<Token, 7> tokens;
  std::size_t count;
};

// The precedence table, tightest first, after brackets and calls. Binary operators are all
// left-associative. A prefix operator applies only at the start of the list or after another
// symbol, and a chain of them nests from the right whatever their levels (-!X is -(!X)), so the
// prefix levels are reduced together; they all bind tighter than every binary operator.
inline constexpr Level precedence[] = {
    {Form::Prefix, {Token::bang}, 1},
    {Form::Prefix, {Token::minus, Token::plus}, 2},
    {Form::Prefix, {Token::n_dollar}, 1},
    {Form::Prefix, {Token::at, Token::dollar}, 2},
    {Form::Binary, {Token::scale_up, Token::scale_down}, 2},
    {Form::Binary, {Token::power}, 1},
    {Form::Binary, {Token::times, Token::divide}, 2},
    {Form::Binary, {Token::plus, Token::minus}, 2},
    {Form::Binary,
     {Token::less, Token::greater, Token::less_equal, Token::greater_equal, Token::not_equal,
      Token::equal, Token::tilde},
     7},
    {Form::Binary, {Token::ampersand}, 1},
    {Form::Binary, {Token::bar}, 1},
    {Form::Binary, {Token::assign}, 1},
    {Form::Binary, {Token::semicolon}, 1},
};

inline constexpr std::uint8_t no_level = 0xFF;
// The loosest level: a whole expression.
inline constexpr std::uint8_t loosest_level = std::size(precedence) - 1;

// What a token can be as an operator, worked out once per token.
struct Role {
  std::uint8_t binary_level = no_level; // index into `precedence`
  bool prefix = false;
};

// The role of every token, from the precedence table.
inline constexpr std::array<Role, token_count> roles = [] {
  std::array<Role, token_count> table{};
  for (std::size_t i = 0; i < std::size(precedence); ++i) {
    const Level& level = precedence[i];
    for (std::size_t k = 0; k < level.count; ++k) {
      Role& role = table[static_cast<std::size_t>(level.tokens[k])];
      if (level.form == Form::Prefix)
        role.prefix = true;
      else
        role.binary_level = static_cast<std::uint8_t>(i);
    }
  }
  return table;
}();

// A separator that makes one token with a following '='.
constexpr bool starts_comparison(char c) { return c == '!' || c == '<' || c == '=' || c == '>'; }

} // namespace tovik::lang
