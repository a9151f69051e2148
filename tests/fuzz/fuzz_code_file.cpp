// Arbitrary bytes run as a code file, as `runcode` runs one: the runner must stay inside the
// block and leave the object table consistent.
#include "compiler/run_value.h"
#include "fuzz_support.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tovik::Context& ctx = fuzz_support::fresh_context();
  std::vector<std::uint8_t> code(data, data + size);
  code.push_back(0x12);
  try {
    tovik::compiler::run_for_value(ctx, code);
  } catch (const fuzz_support::ProcessEnded&) {
  }
  // Every object left behind must still be callable without leaving its block.
  ctx.objects.for_each_object(
      nullptr, [&](const auto&, const auto&, const auto& block, auto) { (void)block.size(); });
  return 0;
}
