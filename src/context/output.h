#pragma once
// Lines on the context's output channel, for every layer.

namespace tovik {

struct Context;

// "ERROR | " and the text, or the text alone, each with a line end.
void print_error(Context& ctx, const char* text);
void print_line(Context& ctx, const char* text);

// print_error with a printf-style message.
void print_error_f(Context& ctx, const char* format, ...) __attribute__((format(printf, 2, 3)));

} // namespace tovik
