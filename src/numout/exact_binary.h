#pragma once
// A double's exact value as an integer times a power of two, the 128-bit integers the writers
// compute its digits with, and the digits of a quotient laid out.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace tovik::numout {

__extension__ using Wide = unsigned __int128;

// Bits up to the highest one set, as an int (std::bit_width gives the operand's unsigned type
// in some library versions, which would turn a sum with a negative exponent unsigned).
inline int bit_count(std::uint64_t v) { return static_cast<int>(std::bit_width(v)); }

inline int bit_count(Wide v) {
  const auto high = static_cast<std::uint64_t>(v >> 64);
  return high != 0 ? 64 + bit_count(high) : bit_count(static_cast<std::uint64_t>(v));
}

// Powers of ten up to 10^38, the largest that fits in 128 bits.
inline constexpr int largest_power_of_ten = 38;
inline constexpr auto powers_of_ten = [] {
  struct Table {
    Wide at[largest_power_of_ten + 1];
  } table{};
  Wide power = 1;
  for (int i = 0; i <= largest_power_of_ten; ++i, power *= 10) table.at[i] = power;
  return table;
}();

// x = mantissa * 2^exponent exactly, for a positive finite x; the mantissa is below 2^53.
inline void binary_parts(double x, std::uint64_t& mantissa, int& exponent) {
  const auto bits = std::bit_cast<std::uint64_t>(x);
  const int stored = static_cast<int>(bits >> 52);
  mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  if (stored == 0) {
    exponent = -1074;
  } else {
    mantissa |= std::uint64_t{1} << 52;
    exponent = stored - 1075;
  }
}

// Writes exactly `count` digits of `value` in `base` at `out`, with leading zeros; decimal
// digits two at a time.
inline void fixed_digits(char* out, std::uint64_t value, int count, unsigned base) {
  static constexpr char pairs[] = "00010203040506070809101112131415161718192021222324252627282930"
                                  "31323334353637383940414243444546474849505152535455565758596061"
                                  "62636465666768697071727374757677787980818283848586878889909192"
                                  "93949596979899";
  if (base == 10) {
    // Eight digits at a time split off, so that the pairs are taken in 32-bit arithmetic.
    const auto pairs_of = [](char* end, std::uint32_t chunk, int digits) {
      for (; digits >= 2; chunk /= 100) {
        const auto pair = static_cast<std::size_t>(chunk % 100) * 2;
        digits -= 2;
        end[digits] = pairs[pair];
        end[digits + 1] = pairs[pair + 1];
      }
      if (digits == 1) end[0] = static_cast<char>('0' + chunk % 10);
    };
    for (; count > 8; value /= 100000000) {
      count -= 8;
      pairs_of(out + count, static_cast<std::uint32_t>(value % 100000000), 8);
    }
    pairs_of(out, static_cast<std::uint32_t>(value), count);
    return;
  }
  // Constant divisors for the other bases of the default value format become shifts.
  const auto in_base = [&](auto divisor) {
    for (; count > 0; value /= divisor)
      out[--count] = "0123456789abcdefghijklmnopqrstuvwxyz"[value % divisor];
  };
  switch (base) {
  case 2: return in_base(std::integral_constant<unsigned, 2>());
  case 16: return in_base(std::integral_constant<unsigned, 16>());
  default: return in_base(base);
  }
}

} // namespace tovik::numout
