#pragma once
// The thread hand-off. The language's threads would be saved machine states, but switching
// between them is not available yet: the first thread instruction of a run announces that, drops
// what the machine's stacks held and ends the run.

#include <cstdint>

namespace tovik {
struct Context;
}

namespace tovik::runner {

// Called by the runner at any opcode of the thread group, whatever its operands; returns the
// run result code of the run.
std::int32_t thread_handoff(Context& ctx);

} // namespace tovik::runner
