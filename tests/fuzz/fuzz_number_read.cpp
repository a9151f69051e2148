// Arbitrary bytes as number text: the reader must never read past the given length.
#include "lang/number.h"

#include <cstdint>
#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // An exact-size copy, so that any read past the length is caught.
  std::unique_ptr<char[]> text(new char[size > 0 ? size : 1]);
  if (size > 0) std::memcpy(text.get(), data, size);
  tovik::lang::read_number(text.get(), size);
  return 0;
}
