#pragma once
// Runs a code block and takes its value.

#include "code/code_block.h"

#include <cstdint>
#include <span>

namespace tovik {
struct Context;
}

namespace tovik::compiler {

// The value on top of Stack 1 after a successful run. A run that stops prints its error line
// and gives the error value; an empty Stack 1 gives the error value and counts one stack error.
double run_for_value(Context& ctx, std::span<const std::uint8_t> block);

// The same for code that need not leave a value, such as a code file that only defines
// objects: an empty Stack 1 gives the error value and is no stack error.
double run_for_any_value(Context& ctx, std::span<const std::uint8_t> block);

} // namespace tovik::compiler
