#include "context/output.h"

#include "context/context.h"
#include "lang/error_line.h"

#include <cstdarg>

namespace tovik {

void print_error(Context& ctx, const char* text) {
  if (!text) text = "Procedure Error get unexpected string.";
  lang::write_error_line(ctx.out, "%s", text);
}

void print_line(Context& ctx, const char* text) {
  if (!text) return print_error(ctx, "Procedure Msg get unexpected string.");
  std::fprintf(ctx.out, "%s\n", text);
}

void print_error_f(Context& ctx, const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  lang::write_error_line_v(ctx.out, format, args);
  va_end(args);
}

} // namespace tovik
