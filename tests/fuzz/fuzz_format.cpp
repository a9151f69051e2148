// Arbitrary output formats and values: the formatter passes one double and nothing else.
#include "numout/format.h"
#include "numout/write_number.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 9) return 0;
  double x;
  std::memcpy(&x, data, 8);
  double base = data[8] % 40;
  std::string format(reinterpret_cast<const char*>(data + 9), size - 9);
  static std::FILE* sink = std::fopen("/dev/null", "w");
  tovik::numout::print_formatted(sink, x, format.c_str());
  tovik::numout::number_text(x, base);
  return 0;
}
