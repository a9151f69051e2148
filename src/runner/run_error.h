#pragma once
// The message line of a run that stopped with a non-zero run result code.

#include <cstdint>

namespace tovik {
struct Context;
}

namespace tovik::runner {

// The message of a run result code ("Unknown error" for codes that have none).
const char* run_error_message(std::int32_t code);

// Writes "ZORVA | Error 0x<code>. " and the message with a full stop and a line end; for the
// stack-error code the number of stack errors instead.
void print_run_error(Context& ctx, std::int32_t code);

} // namespace tovik::runner
