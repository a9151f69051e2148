#pragma once
// The code listing: a block as numbered instructions, one per line.

#include <cstdint>
#include <cstdio>
#include <span>

namespace tovik::runner {

// Writes the title, the header line and one line per instruction to `out`; a key press that
// `key_waiting` reports (null: never) stops it. The key is not consumed.
void list_code(std::FILE* out, bool (*key_waiting)(), const char* title,
               std::span<const std::uint8_t> block);

} // namespace tovik::runner
