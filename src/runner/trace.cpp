#include "runner/trace.h"

#include "runner/listing.h"

namespace tovik::runner {

void trace_instruction(std::FILE* out, std::span<const std::uint8_t> block, std::uint32_t at,
                       const Stack<double>& values) {
  std::fputs("TRACE | ", out);
  list_instruction(out, block, at);
  std::fprintf(out, " | ST1 (%u)", static_cast<unsigned>(values.count));
  if (values.count > 0) std::fprintf(out, " %g", values.data()[values.count - 1]);
  std::fputc('\n', out);
}

} // namespace tovik::runner
