#include "runner/threads.h"

#include "context/context.h"
#include "lang/number.h"
#include "runner/run_result.h"

#include <new>
#include <stdexcept>
#include <utility>

namespace tovik::runner {

ThreadRecord::ThreadRecord() : stack1(lang::error_value()) {}

ThreadList::ThreadList(std::FILE* out, std::uint32_t step) : out_(out), step_(step) {
  try {
    items_.reserve(step);
  } catch (const std::exception&) {
    // The list then has no slots and refuses every thread.
  }
}

ThreadList::~ThreadList() { release(); }

bool ThreadList::append() {
  try {
    if (count_ == items_.capacity()) items_.reserve(items_.capacity() + step_);
    if (items_.capacity() == 0) return false;
    if (count_ < items_.size())
      items_[count_] = ThreadRecord{};
    else
      items_.emplace_back();
  } catch (const std::exception&) {
    return false;
  }
  ++count_;
  std::fputs("[new]\n", out_);
  return true;
}

void ThreadList::remove_home() {
  if (count_ == 0) return;
  std::fprintf(out_, "[del home %d/%d]\n", 0, int(count_));
  --count_;
  items_[0] = ThreadRecord{}; // releases the home thread's stacks
  std::fputs("[del]\n", out_);
  if (count_ > 0) items_[0] = std::move(items_[count_]);
  items_[count_] = ThreadRecord{};
}

void ThreadList::release() {
  while (count_ > 0) remove_home();
  items_.clear();
  items_.shrink_to_fit();
}

std::int32_t thread_scheduler(Context& ctx, ThreadRecord* record, const std::uint8_t* position) {
  if (!position) return run_no_code;
  ThreadList first(ctx.out, ctx.settings.stack_step);
  ThreadList second(ctx.out, ctx.settings.stack_step);
  if (!first.append()) return run_no_thread_memory;
  ThreadRecord& thread = first.last();
  if (record) {
    thread = std::move(*record);
    if (thread.code != position) return run_thread_mismatch;
  } else {
    thread.name = "MAIN";
    thread.code = position;
  }
  ctx.machine.values.count = 0;
  ctx.machine.values.errors = 0;
  std::fputs("Warning: commands 7x are not stable now.\n", ctx.out);
  std::fputs("This Part of code is not completed now. Please wait for new version of Tovik.\n",
             ctx.out);
  second.release();
  first.release();
  return run_ok;
}

namespace {

// Moves a stack into the record and leaves the machine a fresh one of capacity 1 that keeps
// the error counter.
template <typename T> void hand_over(Stack<T>& machine_stack, Stack<T>& saved) {
  saved = std::move(machine_stack);
  Stack<T> fresh(saved.empty_value);
  fresh.errors = saved.errors;
  fresh.limit = saved.limit;
  fresh.set_capacity(1);
  machine_stack = std::move(fresh);
}

} // namespace

std::int32_t thread_handoff(Context& ctx, const std::uint8_t* position) {
  runner::MachineState& m = ctx.machine;
  ThreadRecord record;
  record.name = "MAIN";
  record.code = position;
  record.state = 1;
  record.argn = m.argn;
  record.home = m.home;
  record.locals = m.locals;
  record.locals_base = m.locals_base;
  hand_over(m.values, record.stack1);
  hand_over(m.groups, record.stack2);
  hand_over(m.frames, record.stack3);
  m.frame_blocks.clear();
  return thread_scheduler(ctx, &record, position);
}

} // namespace tovik::runner
