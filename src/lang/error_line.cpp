#include "lang/error_line.h"

namespace tovik::lang {

void write_error_line(std::FILE* out, const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  write_error_line_v(out, format, args);
  va_end(args);
}

void write_error_line_v(std::FILE* out, const char* format, std::va_list args) {
  if (out == nullptr) return;
  std::fputs("ERROR | ", out);
  std::vfprintf(out, format, args);
  std::fputc('\n', out);
}

} // namespace tovik::lang
