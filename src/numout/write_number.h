#pragma once
// The number writer: a double as plain positional digits in any base from 2 to 36, with a digit
// budget per base, truncated and never rounded.

#include <cstdint>
#include <cstdio>
#include <string>

namespace tovik::numout {

// Receives the writer's text piece by piece.
using Sink = void (*)(void* arg, const char* text);

void write_number(double x, double base, void* arg, Sink sink);

// Significant digits written in `base` (2..36).
int digit_budget(std::uint16_t base);

long double integer_power(long double base, std::int32_t exponent);

// Conveniences over the two sinks: into a FILE* and into a string.
void print_in_base(std::FILE* out, double x, double base);
std::string number_text(double x, double base);

} // namespace tovik::numout
