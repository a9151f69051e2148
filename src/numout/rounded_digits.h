#pragma once
// printf's %e and %g forms of a double, rounded from its exact value, for the common values
// that 128-bit integers hold: a few times faster than the general routines.

#include <cstddef>

namespace tovik::numout {

// Room that write_rounded needs at `out`.
constexpr std::size_t rounded_text_room = 64;

// Writes x (finite, not zero) in the form of "%.<precision>e" or "%.<precision>g" (conversion
// 'e', 'E', 'g' or 'G', no flags) at `out` and returns the end; nullptr, with nothing promised
// about `out`, when the value or precision is beyond this writer.
char* write_rounded(char* out, double x, char conversion, int precision);

} // namespace tovik::numout
