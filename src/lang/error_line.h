#pragma once
// The one writer of error lines. Every layer, the parser included, writes its errors through it,
// so the tag and the line end are added in one place; the message itself carries neither.

#include <cstdarg>
#include <cstdio>

namespace tovik::lang {

// "ERROR | ", the printf-formatted message and a line end on `out`; nothing when `out` is null.
void write_error_line(std::FILE* out, const char* format, ...)
    __attribute__((format(printf, 2, 3)));
void write_error_line_v(std::FILE* out, const char* format, std::va_list args)
    __attribute__((format(printf, 2, 0)));

} // namespace tovik::lang
