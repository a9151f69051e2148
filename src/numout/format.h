#pragma once
// The output-format language: one value shown through printf directives, the number writer in
// any base, raw bytes and literal text.

#include <cstdio>

namespace tovik::numout {

// Writes the expansion of `format` for x to `out`; nothing at all for the error value.
void print_formatted(std::FILE* out, double x, const char* format);

} // namespace tovik::numout
