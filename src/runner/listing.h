#pragma once
// The code listing: a block as numbered instructions, one per line.

#include <cstdint>
#include <span>

namespace tovik {
struct Context;
}

namespace tovik::runner {

// Writes the title, the header line and one line per instruction; a waiting key stops it
// (the key is not consumed).
void list_code(Context& ctx, const char* title, std::span<const std::uint8_t> block);

} // namespace tovik::runner
