#include "runner/threads.h"

#include "console/context.h"
#include "runner/run_result.h"

#include <cstdio>
#include <utility>

namespace tovik::runner {

namespace {

// The stack starts over empty with room for one element (the status line shows that capacity);
// its error counter and limit stay.
template <typename T> void start_over(Stack<T>& stack) {
  Stack<T> fresh(stack.empty_value);
  fresh.errors = stack.errors;
  fresh.limit = stack.limit;
  fresh.set_capacity(1);
  stack = std::move(fresh);
}

} // namespace

// The lines tell of a thread made, the warning, and the thread taken down again.
std::int32_t thread_handoff(Context& ctx) {
  MachineState& m = ctx.machine;
  start_over(m.values);
  start_over(m.groups);
  start_over(m.frames);
  m.values.errors = 0;
  m.frame_blocks.clear();
  std::fputs("[new]\n"
             "Warning: commands 7x are not stable now.\n"
             "This Part of code is not completed now. Please wait for new version of Tovik.\n"
             "[del home 0/1]\n"
             "[del]\n",
             ctx.out);
  return run_ok;
}

} // namespace tovik::runner
