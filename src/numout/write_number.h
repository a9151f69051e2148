#pragma once
// The number writer: a double as plain positional digits in any base from 2 to 36, with a digit
// budget per base, truncated and never rounded.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace tovik::numout {

// Receives the writer's text piece by piece.
using Sink = void (*)(void* arg, const char* text);

void write_number(double x, double base, void* arg, Sink sink);

// Room for the longest text of write_number_chars: a sign, "0." and the 1073 zeros of the
// smallest double in base 2.
constexpr std::size_t number_text_room = 1100;

// The writer's text for x in `base` (2..36, unchecked) into `text`, which has number_text_room
// characters; no NUL is added. Returns the length.
std::size_t write_number_chars(double x, unsigned base, char* text);

// Significant digits written in `base` (2..36).
int digit_budget(std::uint16_t base);

long double integer_power(long double base, std::int32_t exponent);

// Conveniences over the two sinks: into a FILE* and into a string.
void print_in_base(std::FILE* out, double x, double base);
std::string number_text(double x, double base);

} // namespace tovik::numout
