// Arbitrary console lines through the splitter and the dispatcher. Lines that would end the
// process or write files are split but not run.
#include "console/command_line.h"
#include "console/console.h"
#include "context/context.h"
#include "fuzz_support.h"

#include <cstdint>
#include <cstdio>
#include <string_view>

namespace {

bool harmless(const tovik::console::CommandLine& line) {
  using tovik::console::word_equals;
  for (const char* w : {"exit", "break", "save", "open", "runmath", "runcode", "whatcode"})
    if (word_equals(line, 0, w)) return false;
  return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tovik::Context& ctx = fuzz_support::fresh_context();
  auto line = tovik::console::CommandLine::from(
      std::string_view(reinterpret_cast<const char*>(data), size));
  tovik::console::split_line(line);
  if (!harmless(line)) return 0;
  try {
    tovik::console::dispatch_line(ctx, line);
  } catch (const fuzz_support::ProcessEnded&) {
  }
  return 0;
}
