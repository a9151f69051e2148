#include "runner/operators.h"

#include "lang/number.h"
#include "lang/tokens.h"

#include <cmath>

namespace tovik::runner {

namespace {

using lang::error_value;
using lang::is_error_value;
using lang::Token;

constexpr std::uint8_t op(Token t) { return lang::code_of(t); }
constexpr std::uint8_t object(Token t) { return lang::object_code_of(t); }

double truth(bool b) { return b ? 1.0 : 0.0; }

// The logical group checks the error value before the code, so an unknown code of the group
// still passes the error value through.
std::uint8_t logical_not(std::uint8_t code, double x, double& result) {
  if (is_error_value(x)) {
    result = error_value();
    return operator_ok;
  }
  if (code != op(Token::bang)) return operator_unknown;
  result = truth(x == 0);
  return operator_ok;
}

std::uint8_t number_test(std::uint8_t code, double x, double& result) {
  switch (code) {
  case op(Token::abs): result = x < 0 ? -x : x; return operator_ok;
  case op(Token::frac): result = lang::fraction_part(x); return operator_ok;
  case op(Token::inf): result = truth(!is_error_value(x) && !std::isfinite(x)); return operator_ok;
  case op(Token::nan): result = truth(is_error_value(x)); return operator_ok;
  }
  return operator_unknown;
}

std::uint8_t math_function(std::uint8_t code, double x, double& result) {
  switch (code) {
  case op(Token::e): result = std::exp(x); return operator_ok;
  case op(Token::ln): result = std::log(x); return operator_ok;
  case op(Token::fkt): result = lang::factorial(x); return operator_ok;
  case op(Token::sin): result = std::sin(x); return operator_ok;
  case op(Token::cos): result = std::cos(x); return operator_ok;
  case op(Token::asin): result = std::asin(x); return operator_ok;
  case op(Token::acos): result = std::acos(x); return operator_ok;
  case op(Token::atan): result = std::atan(x); return operator_ok;
  }
  return operator_unknown;
}

// The generator of the C library's reference implementation: 0 to 32767, same sequence at every
// start of the program.
double next_random(std::uint32_t& state) {
  state = state * 1103515245u + 12345u;
  return double((state / 65536u) % 32768u) / 32767.0;
}

// Adds from the top down (last argument first) in the widest type, rounding once at the end.
long double pop_sum(Stack<double>& values, std::uint32_t n) {
  long double sum = 0;
  for (std::uint32_t i = 0; i < n; ++i) sum += values.pop();
  return sum;
}

} // namespace

std::uint8_t unary_operator(std::uint8_t code, double x, double& result) {
  switch (code >> 4) {
  case 0:
    if (code > op(Token::minus)) return operator_unknown;
    result = code == op(Token::plus) ? x : -x;
    return operator_ok;
  case 2: return logical_not(code, x, result);
  case 5: return number_test(code, x, result);
  }
  return math_function(code, x, result);
}

std::uint8_t standard_object(MachineState& machine, std::uint8_t code, std::uint32_t n,
                             double& result) {
  switch (code) {
  case object(Token::rnd):
    if (n != 0) return operator_rnd_arguments;
    result = next_random(machine.random_state);
    return operator_ok;
  case object(Token::sum): result = double(pop_sum(machine.values, n)); return operator_ok;
  case object(Token::avr):
    // With no arguments the average is 0/0, the error value.
    result = n == 0 ? error_value() : double(pop_sum(machine.values, n) / n);
    return operator_ok;
  }
  return operator_unknown;
}

} // namespace tovik::runner
