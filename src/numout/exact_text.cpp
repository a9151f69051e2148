#include "numout/exact_text.h"

#include "lang/number.h"
#include "numout/write_number.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace tovik::numout {

namespace {

bool same_bits(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

void append_hex(std::string& out, std::uint64_t v, std::size_t min_digits) {
  std::string digits;
  for (; v != 0 || digits.size() < min_digits; v >>= 4) digits += "0123456789abcdef"[v & 15];
  out.append(digits.rbegin(), digits.rend());
}

// x = m * 2^e exactly, with m an integer below 2^53; written digit for digit in base 16.
std::string hex_text(double x) {
  int exponent = 0;
  double fraction = std::frexp(x, &exponent); // x = fraction * 2^exponent, 0.5 <= fraction < 1
  auto m = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  int e = exponent - 53;
  std::string out;
  if (e >= 0) {
    append_hex(out, m << (e % 4), 1);
    out.append(std::size_t(e / 4), '0');
    return out + "H";
  }
  // Make the count of fraction bits a multiple of four so that they fill whole hex digits.
  int bits = -e;
  int pad = (4 - bits % 4) % 4;
  m <<= pad;
  std::size_t fraction_digits = std::size_t((bits + pad) / 4);
  std::string digits;
  append_hex(digits, m, fraction_digits + 1);
  std::string integer = digits.substr(0, digits.size() - fraction_digits);
  std::string frac = digits.substr(digits.size() - fraction_digits);
  while (!frac.empty() && frac.back() == '0') frac.pop_back();
  out = integer;
  if (!frac.empty()) out += "." + frac;
  return out + "H";
}

std::string shortest_decimal(double x) {
  char buffer[400];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed);
  return error == std::errc() ? std::string(buffer, end) : std::string();
}

} // namespace

std::string exact_number_text(double x) {
  if (!std::isfinite(x)) return number_text(x, 10);
  if (std::signbit(x)) return "-" + exact_number_text(-x);
  // The writer's own digits keep the file as readable as the screen; the shortest decimal that
  // names the double comes next; the hexadecimal expansion is exact always.
  for (const std::string& text : {number_text(x, 10), shortest_decimal(x)})
    if (!text.empty() && same_bits(lang::read_number(text.data(), text.size()), x)) return text;
  return hex_text(x);
}

} // namespace tovik::numout
