#pragma once
// The thread hand-off. A thread is a saved machine state; switching between threads is not
// available yet, so the first thread instruction of a run saves the running state as the thread
// "MAIN", gives the machine fresh stacks and lets the scheduler announce that and end the run.

#include "context/stack.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace tovik {
struct Context;
}

namespace tovik::runner {

struct ThreadRecord {
  const char* name = nullptr;
  const std::uint8_t* code = nullptr; // the thread's next instruction
  std::uint8_t flag = 0;
  std::uint32_t state = 0;
  std::uint32_t argn = 0;
  std::uint32_t home = 0;
  std::uint32_t locals = 0;
  std::uint32_t locals_base = 0;
  Stack<double> stack1;
  Stack<std::int32_t> stack2{0};
  Stack<std::int32_t> stack3{0};
  Stack<std::int32_t> stack4{0};

  ThreadRecord();
};

// A growable list of threads; slot 0 is the home thread.
class ThreadList {
public:
  ThreadList(std::FILE* out, std::uint32_t step);
  ~ThreadList();
  ThreadList(const ThreadList&) = delete;
  ThreadList& operator=(const ThreadList&) = delete;

  // Adds an empty thread; false when no slot could be made.
  bool append();
  ThreadRecord& last() { return items_[count_ - 1]; }
  void remove_home();
  void release();
  std::uint32_t count() const { return count_; }

private:
  std::FILE* out_;
  std::uint32_t step_;
  std::vector<ThreadRecord> items_;
  std::uint32_t count_ = 0;
};

// Runs the threads from `position` (with `record` as the thread found there, or none); returns
// the run result code of the run.
std::int32_t thread_scheduler(Context& ctx, ThreadRecord* record, const std::uint8_t* position);

// Called by the runner at any opcode 0x70..0x7F found at `position`.
std::int32_t thread_handoff(Context& ctx, const std::uint8_t* position);

} // namespace tovik::runner
