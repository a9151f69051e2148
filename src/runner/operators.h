#pragma once
// Binary and unary operators and the standard objects, by their one-byte codes. Each returns an
// operator result code: 0 with the result stored, 1 for an unknown code, 4 for RND called with
// arguments; on a non-zero code there is no result.

#include "context/machine_state.h"
#include "lang/number.h"
#include "lang/tokens.h"

#include <cmath>

#include <cstdint>

namespace tovik::runner {

inline constexpr std::uint8_t operator_ok = 0;
inline constexpr std::uint8_t operator_unknown = 1;
inline constexpr std::uint8_t operator_rnd_arguments = 4;

// The binary operators are inline: the dispatch loop runs them on every arithmetic step.

// Comparisons and logic: the error value in either operand gives the error value; any other
// not-a-number value is an ordinary operand under IEEE rules and counts as true.
[[gnu::always_inline]] inline std::uint8_t logical_operator(std::uint8_t code, double l, double r,
                                                            double& result) {
  using lang::Token;
  constexpr auto op = lang::code_of;
  if (code > op(Token::bar)) return operator_unknown;
  if (lang::is_error_value(l) || lang::is_error_value(r)) {
    result = lang::error_value();
    return operator_ok;
  }
  bool truth;
  switch (code) {
  case op(Token::less): truth = l < r; break;
  case op(Token::greater): truth = l > r; break;
  case op(Token::less_equal): truth = l <= r; break;
  case op(Token::greater_equal): truth = l >= r; break;
  case op(Token::not_equal): truth = !(l == r); break;
  case op(Token::equal): truth = l == r; break;
  case op(Token::tilde): truth = (l != 0) == (r != 0); break;
  case op(Token::ampersand): truth = l != 0 && r != 0; break;
  default: truth = l != 0 || r != 0; break; // op(Token::bar), the last of the group
  }
  result = truth ? 1.0 : 0.0;
  return operator_ok;
}

[[gnu::always_inline]] inline std::uint8_t binary_operator(std::uint8_t code, double l, double r,
                                                           double& result) {
  using lang::Token;
  constexpr auto op = lang::code_of;
  switch (code) {
  case op(Token::plus): result = l + r; return operator_ok;
  case op(Token::minus): result = l - r; return operator_ok;
  case op(Token::times): result = l * r; return operator_ok;
  case op(Token::divide): result = l / r; return operator_ok;
  case op(Token::power): result = std::pow(l, r); return operator_ok;
  case op(Token::scale_up): result = l * std::pow(10.0, r); return operator_ok;
  case op(Token::scale_down): result = l / std::pow(10.0, r); return operator_ok;
  }
  if ((code >> 4) == 1) return logical_operator(code, l, r, result);
  return operator_unknown;
}
std::uint8_t unary_operator(std::uint8_t code, double x, double& result);
// Pops its n arguments from Stack 1 itself (the caller has checked that they are there).
std::uint8_t standard_object(MachineState& machine, std::uint8_t code, std::uint32_t n,
                             double& result);

} // namespace tovik::runner
