#pragma once
// A double's exact value as an integer times a power of two, and the 128-bit integers the
// writers compute its digits with.

#include <bit>
#include <cstdint>

namespace tovik::numout {

__extension__ using Wide = unsigned __int128;

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

} // namespace tovik::numout
