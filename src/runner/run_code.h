#pragma once
// The code runner: runs a code block on the context's machine state from its first byte until
// the RETURN of the outermost frame. On success the block's results are left on Stack 1.

#include "code/code_block.h"

#include <cstdint>
#include <span>

namespace tovik {
struct Context;
}

namespace tovik::runner {

// The caller keeps the block alive for the run. An empty block is no code (result 3).
std::int32_t run_code(Context& ctx, std::span<const std::uint8_t> block);
// The run holds the block itself; a null block is no code.
std::int32_t run_code(Context& ctx, const CodeRef& block);

} // namespace tovik::runner
