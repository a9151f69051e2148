// Arbitrary bytes listed as `whatcode` lists a code file: the listing never reads outside them.
#include "fuzz_support.h"
#include "runner/listing.h"

#include <cstdint>
#include <memory>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // An exact-size copy, so that any read past the end is caught.
  std::unique_ptr<std::uint8_t[]> code(new std::uint8_t[size + 1]);
  std::copy(data, data + size, code.get());
  code[size] = 0x12;
  tovik::Context& ctx = fuzz_support::fresh_context();
  tovik::runner::list_code(ctx.out, ctx.key_waiting,
                           "Code in file:", std::span<const std::uint8_t>(code.get(), size + 1));
  return 0;
}
