#pragma once
// Truncation of doubles toward zero to integers. A value that does not fit (not-a-number
// included) gives the integer-indefinite value, the most negative integer of the type, as the
// processor's own conversion does.

#include <cstdint>
#include <limits>

namespace tovik::runner {

inline std::int64_t truncate_to_int64(double x) {
  if (!(x >= -9223372036854775808.0 && x < 9223372036854775808.0))
    return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(x);
}

inline std::int32_t truncate_to_int32(double x) {
  if (!(x > -2147483649.0 && x < 2147483648.0)) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(x);
}

// Counts and indexes taken from Stack 1: at least 0, at most 4294967295, never the error value.
inline bool to_count(double x, std::uint32_t& count) {
  if (!(x >= 0.0 && x <= 4294967295.0)) return false;
  count = static_cast<std::uint32_t>(x);
  return true;
}

} // namespace tovik::runner
