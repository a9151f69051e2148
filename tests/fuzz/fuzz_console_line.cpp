// Arbitrary console lines through the splitter and the dispatcher. Lines that would end the
// process or write files are split but not run.
#include "console/command_line.h"
#include "console/console.h"
#include "console/context.h"

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
  static tovik::Context ctx = [] {
    tovik::Context c;
    c.out = std::fopen("/dev/null", "w");
    return c;
  }();
  auto line = tovik::console::CommandLine::from(
      std::string_view(reinterpret_cast<const char*>(data), size));
  tovik::console::split_line(line);
  if (harmless(line)) tovik::console::dispatch_line(ctx, line);
  return 0;
}
