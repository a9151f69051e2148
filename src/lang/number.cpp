#include "lang/number.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

namespace tovik::lang {

namespace {

constexpr unsigned char not_a_digit = 0xFF;

// Digit values by character: '0'-'9' and 'a'-'z' only; upper case is never a digit, so that the
// base letters B, O, D and H can never be mistaken for one.
constexpr std::array<unsigned char, 256> digit_table = [] {
  std::array<unsigned char, 256> table{};
  table.fill(not_a_digit);
  for (unsigned char c = '0'; c <= '9'; ++c)
    table[c] = static_cast<unsigned char>(c - '0');
  for (unsigned char c = 'a'; c <= 'z'; ++c)
    table[c] = static_cast<unsigned char>(c - 'a' + 10);
  return table;
}();

unsigned digit_value(char c) { return digit_table[static_cast<unsigned char>(c)]; }

unsigned suffix_base(char c) {
  switch (c) {
  case 'B':
    return 2;
  case 'O':
    return 8;
  case 'D':
    return 10;
  case 'H':
    return 16;
  default:
    return 0;
  }
}

// The outcome of reading digits: `stop` is the position of the first character that was refused,
// or the count when every character belonged to the number.
struct DigitScan {
  long double value;
  std::size_t stop;
};

DigitScan scan_fraction(const char *text, std::size_t count, unsigned base, DigitScan scan) {
  const long double radix = base;
  long double scale = 1;
  for (std::size_t i = scan.stop; i < count; ++i) {
    const unsigned d = digit_value(text[i]);
    if (d >= base)
      return {scan.value, i};
    scale /= radix;
    scan.value += scale * d;
  }
  scan.stop = count;
  return scan;
}

// Everything stays in extended precision so that a long digit string is rounded once, by the
// caller, and an overlong one runs to infinity instead of failing.
DigitScan scan_digits(const char *text, std::size_t count, unsigned base) {
  const long double radix = base;
  long double value = 0;
  for (std::size_t i = 0; i < count; ++i) {
    if (text[i] == '.')
      return scan_fraction(text, count, base, {value, i + 1});
    const unsigned d = digit_value(text[i]);
    if (d >= base)
      return {value, i};
    value = value * radix + d;
  }
  return {value, count};
}

double digits_value(const char *text, std::size_t count, unsigned base) {
  const DigitScan scan = scan_digits(text, count, base);
  return scan.stop == count ? static_cast<double>(scan.value) : error_value();
}

// The base named after a '#': a decimal number from 2 to 36 whose fraction is dropped; 0 when it
// is no such number.
unsigned hash_base(const char *text, std::size_t length) {
  const double base = read_number(text, length);
  if (is_error_value(base) || base < 2 || base > 36)
    return 0;
  return static_cast<unsigned>(base - fraction_part(base));
}

// Position of the last '#' at `from` or later, or `length` when there is none.
std::size_t last_hash(const char *text, std::size_t from, std::size_t length) {
  for (std::size_t i = length; i > from; --i)
    if (text[i - 1] == '#')
      return i - 1;
  return length;
}

} // namespace

double infinity() { return std::numeric_limits<double>::infinity(); }

double read_number(const char *text, std::size_t length) {
  if (text == nullptr || length == 0)
    return error_value();
  if (length >= 2) {
    if (const unsigned base = suffix_base(text[length - 1]))
      return digits_value(text, length - 1, base);
  }
  // Whole numbers of up to 15 digits are exact in any precision, so they need no extended one.
  if (length <= 15) {
    std::uint64_t whole = 0;
    std::size_t i = 0;
    for (; i < length && text[i] >= '0' && text[i] <= '9'; ++i)
      whole = whole * 10 + static_cast<unsigned>(text[i] - '0');
    if (i == length)
      return static_cast<double>(whole);
  }
  // Most words are plain decimals, so read them as such first. Should that fail, only a base
  // given after a '#' can still make a number, and that '#' cannot lie before the refused
  // character (a '#' is refused itself), nor at the first position.
  const DigitScan decimal = scan_digits(text, length, 10);
  if (decimal.stop == length)
    return static_cast<double>(decimal.value);
  const std::size_t hash = last_hash(text, decimal.stop == 0 ? 1 : decimal.stop, length);
  if (hash == length)
    return error_value();
  const unsigned base = hash_base(text + hash + 1, length - hash - 1);
  return base == 0 ? error_value() : digits_value(text, hash, base);
}

double fraction_part(double x) {
  if (std::isnan(x))
    return x;
  if (x >= 0 && x < 1)
    return x;
  if (x < 0 && x > -1)
    return x + 1;
  // From 2^52 up every double is an integer; this also covers the infinities.
  constexpr double integral_from = 4503599627370496.0;
  if (x >= integral_from || x <= -integral_from)
    return 0;
  // Truncation is exact here, and so are both subtractions, since |x| >= 1.
  const double whole = static_cast<double>(static_cast<std::int64_t>(x));
  if (x > 0)
    return x - whole;
  const double below = 1 - (whole - x);
  return below == 1 ? 0 : below;
}

double factorial(double x) {
  if (std::isnan(x))
    return x;
  if (x < 0)
    return error_value();
  if (x == 0)
    return 1;
  const double inf = infinity();
  if (x == inf)
    return inf;
  const double n = x - fraction_part(x);
  double product = 1;
  // Huge n never reaches 2 (n - 1 == n there), but the product overflows within a few steps.
  for (double k = n; k > 1 && product < inf; k -= 1)
    product *= k;
  return product;
}

} // namespace tovik::lang
