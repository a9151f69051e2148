#include "runner/threads.h"

#include "context/context.h"
#include "runner/run_result.h"

#include <cstddef>
#include <cstdio>
#include <memory>
#include <new>
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

// A thread would be kept in a list that is reserved `stack_step` slots at a time, each slot
// holding a whole machine state; when that reservation cannot be had, no thread is made.
bool thread_slots_available(std::uint32_t step) {
  constexpr std::size_t slot_bytes = sizeof(MachineState) + 64;
  std::unique_ptr<std::byte[]> slots(new (std::nothrow) std::byte[std::size_t(step) * slot_bytes]);
  return slots != nullptr;
}

} // namespace

// The lines tell of a thread made, the warning, and the thread taken down again.
std::int32_t thread_handoff(Context& ctx) {
  if (!thread_slots_available(ctx.settings.stack_step)) return run_no_thread_memory;
  MachineState& m = ctx.machine;
  start_over(m.values);
  start_over(m.groups);
  start_over(m.frames);
  m.values.errors = 0;
  std::fputs("[new]\n"
             "Warning: commands 7x are not stable now.\n"
             "This Part of code is not completed now. Please wait for new version of Tovik.\n"
             "[del home 0/1]\n"
             "[del]\n",
             ctx.out);
  return run_ok;
}

} // namespace tovik::runner
