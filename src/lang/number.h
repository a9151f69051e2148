#pragma once
// Number text in bases 2 to 36, the shared error value and the two numeric helpers beside the
// reader (fraction part and factorial).

#include <bit>
#include <cstddef>
#include <cstdint>

namespace tovik::lang {

// The error value stands for "no value" everywhere. It is one particular quiet NaN and is only
// ever recognised by its bits: other NaNs are ordinary (if strange) results.
inline constexpr std::uint64_t error_bits = 0xFFF8000000000000ull;

inline double error_value() { return std::bit_cast<double>(error_bits); }
inline bool is_error_value(double x) { return std::bit_cast<std::uint64_t>(x) == error_bits; }
double infinity();

// Reads `length` characters at `text` (which need not end there) as a number; the error value
// when they are not one.
double read_number(const char* text, std::size_t length);

// x minus the greatest integer not above x, with the special cases of infinities and NaNs.
double fraction_part(double x);

// Factorial of the integer part of x; the error value below 0, +infinity from 171 up.
double factorial(double x);

} // namespace tovik::lang
