#include "numout/rounded_digits.h"

#include "numout/exact_binary.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

// The value m * 2^e is divided exactly by the power of ten of its last wanted digit, and the
// quotient is rounded by its remainder, half to even, as printf does in the default rounding
// mode. Only the layout of the digits is left to do.

namespace tovik::numout {

namespace {

// Significant digits beyond this go to the general routines (a quotient stays below 2^64).
constexpr int most_digits = 17;

// floor(m * 2^e / 10^q), and whether rounding half to even takes it one up; false when the
// arithmetic does not fit in 128 bits.
bool divide(std::uint64_t m, int e, int q, Wide& quotient, bool& round_up) {
  if (q < -largest_power_of_ten || q > largest_power_of_ten) return false;
  Wide numerator = m;
  round_up = false;
  if (q <= 0) {
    // Up to 10^19 the power fits in 64 bits and the product in 53 + 64 bits: one multiply.
    if (q >= -19) {
      numerator *= static_cast<std::uint64_t>(powers_of_ten.at[-q]);
    } else {
      if (bit_count(m) + bit_count(powers_of_ten.at[-q]) > 127) return false;
      numerator *= powers_of_ten.at[-q];
    }
    if (e >= 0) {
      if (bit_count(numerator) + e > 127) return false;
      quotient = numerator << e;
      return true;
    }
    // A division by a power of two: the bits shifted out are the remainder.
    if (-e > 127) return false;
    const int shift = -e;
    quotient = numerator >> shift;
    const Wide rest = numerator & ((Wide{1} << shift) - 1);
    const Wide half = Wide{1} << (shift - 1);
    round_up = rest > half || (rest == half && (quotient & 1) != 0);
    return true;
  }
  Wide divisor = powers_of_ten.at[q];
  if (e >= 0) {
    if (bit_count(numerator) + e > 127) return false;
    numerator <<= e;
  } else {
    if (bit_count(divisor) - e > 127) return false;
    divisor <<= -e;
  }
  quotient = numerator / divisor;
  // Twice the remainder against the divisor: above, below or exactly half.
  const Wide twice = (numerator % divisor) * 2;
  round_up = twice > divisor || (twice == divisor && (quotient & 1) != 0);
  return true;
}

// The `digits` significant digits of x, rounded, and the decimal exponent of the first.
bool rounded_significand(double x, int digits, std::uint64_t& significand, int& exponent10) {
  std::uint64_t m = 0;
  int e = 0;
  binary_parts(x, m, e);
  // floor(log2(x)) * log10(2), rounded down: the decimal exponent or one below it.
  exponent10 = (e + bit_count(m) - 1) * 78913 >> 18;
  const Wide low = powers_of_ten.at[digits - 1];
  const Wide high = powers_of_ten.at[digits];
  for (int attempt = 0; attempt < 3; ++attempt) {
    Wide quotient = 0;
    bool round_up = false;
    if (!divide(m, e, exponent10 - digits + 1, quotient, round_up)) return false;
    if (quotient < low) {
      --exponent10;
    } else if (quotient >= high) {
      ++exponent10;
    } else {
      if (round_up && ++quotient == high) { // the rounding carried into a new leading digit
        quotient = low;
        ++exponent10;
      }
      significand = static_cast<std::uint64_t>(quotient);
      return true;
    }
  }
  return false;
}

} // namespace

char* write_rounded(char* out, double x, char conversion, int precision) {
  const bool general = conversion == 'g' || conversion == 'G';
  const int digits = general ? (precision == 0 ? 1 : precision) : precision + 1;
  if (digits > most_digits || !std::isfinite(x) || x == 0) return nullptr;
  if (std::signbit(x)) {
    *out++ = '-';
    x = -x;
  }
  std::uint64_t significand = 0;
  int exponent10 = 0;
  if (!rounded_significand(x, digits, significand, exponent10)) return nullptr;
  char text[most_digits + 1];
  fixed_digits(text, significand, digits, 10);
  int kept = digits; // trailing zeros are cut in the g forms
  if (general)
    while (kept > 1 && text[kept - 1] == '0') --kept;
  if (general && exponent10 >= -4 && exponent10 < digits) {
    if (exponent10 >= 0) {
      const int whole = exponent10 + 1;
      std::memcpy(out, text, static_cast<std::size_t>(whole));
      out += whole;
      if (kept > whole) {
        *out++ = '.';
        std::memcpy(out, text + whole, static_cast<std::size_t>(kept - whole));
        out += kept - whole;
      }
    } else {
      *out++ = '0';
      *out++ = '.';
      std::memset(out, '0', static_cast<std::size_t>(-exponent10 - 1));
      out += -exponent10 - 1;
      std::memcpy(out, text, static_cast<std::size_t>(kept));
      out += kept;
    }
    return out;
  }
  *out++ = text[0];
  if (kept > 1) {
    *out++ = '.';
    std::memcpy(out, text + 1, static_cast<std::size_t>(kept - 1));
    out += kept - 1;
  }
  *out++ = conversion == 'e' || conversion == 'g' ? 'e' : 'E';
  *out++ = exponent10 < 0 ? '-' : '+';
  const int magnitude = exponent10 < 0 ? -exponent10 : exponent10;
  if (magnitude < 10) *out++ = '0';
  return std::to_chars(out, out + 4, magnitude).ptr;
}

} // namespace tovik::numout
