#include "runner/run_error.h"

#include "context/context.h"
#include "runner/run_result.h"

#include <cstdio>

namespace tovik::runner {

namespace {

// A switch rather than a search: two entries with one code would not compile.
const char* own_text(std::int32_t code) {
  switch (code) {
#define TOVIK_RUN_MESSAGE(name, code, text)                                                        \
  case code: return text;
    TOVIK_RUN_RESULTS(TOVIK_RUN_MESSAGE)
#undef TOVIK_RUN_MESSAGE
  }
  return nullptr;
}

} // namespace

const char* run_error_message(std::int32_t code) {
  const char* text = own_text(code);
  return text ? text : run_text::unknown_error;
}

void print_run_error(Context& ctx, std::int32_t code) {
  std::fprintf(ctx.out, "ZORVA | Error 0x%X. ", static_cast<unsigned>(code));
  if (code == run_stack_errors)
    std::fprintf(ctx.out, "%d stack error(s).\n", static_cast<int>(ctx.machine.error_sum()));
  else
    std::fprintf(ctx.out, "%s.\n", run_error_message(code));
}

} // namespace tovik::runner
