#pragma once
// Number text that reads back to exactly the same double: used where a value must survive being
// written out and read in again (saved files), unlike the writer's truncated digits.

#include <string>

namespace tovik::numout {

// The decimal text of the number writer when it reads back exactly, otherwise the exact
// hexadecimal expansion with the "H" suffix; "-" in front of negative values (and of -0).
// Infinities and NaNs have no such text: the writer's INF, -INF and NAN are given.
std::string exact_number_text(double x);

} // namespace tovik::numout
