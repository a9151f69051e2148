#include "context/output.h"

#include "context/context.h"

namespace tovik {

void print_error(Context& ctx, const char* text) {
  if (!text) text = "Procedure Error get unexpected string.";
  std::fprintf(ctx.out, "ERROR | %s\n", text);
}

void print_line(Context& ctx, const char* text) {
  if (!text) return print_error(ctx, "Procedure Msg get unexpected string.");
  std::fprintf(ctx.out, "%s\n", text);
}

} // namespace tovik
