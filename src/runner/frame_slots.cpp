// Arguments and local variables of the current frame, and argument groups built from them.

#include "context/context.h"
#include "lang/number.h"
#include "runner/dispatch.h"
#include "runner/integer.h"

#include <cmath>
#include <limits>

namespace tovik::runner {

void Dispatch::push_arguments() {
  std::uint32_t argn = m_.argn;
  if (argn == 0) return;
  std::uint32_t in_use = m_.values.count;
  for (std::uint32_t i = 0; i < argn; ++i) {
    std::uint64_t at = std::uint64_t(m_.home) + i;
    m_.values.push(at < in_use ? m_.values.data()[at] : lang::error_value(), step_);
  }
  m_.groups.push(std::int32_t(argn), step_);
}

void Dispatch::push_argument_range() {
  std::uint32_t end = 0, home = 0;
  bool valid_end = to_count(m_.values.pop(), end);
  bool valid_home = to_count(m_.values.pop(), home);
  if (!valid_end || !valid_home || home > end) return;
  // A range larger than Stack 1 can ever hold cannot be counted; it pushes nothing.
  std::uint64_t n = std::uint64_t(end) - home + 1;
  if (n > m_.values.limit) return;
  m_.groups.push(std::int32_t(n), step_);
  std::uint32_t in_use = m_.values.count;
  for (std::uint64_t i = home; i <= end; ++i) {
    std::uint64_t at = std::uint64_t(m_.home) + i;
    bool found = i < m_.argn && at < in_use;
    m_.values.push(found ? m_.values.data()[at] : lang::error_value(), step_);
  }
}

// Reserved slots hold the error value, so a local read before it is set is a missing value.
// A reservation Stack 1 cannot take stops the run (no_room_code): going on without the
// frame's locals would only run on with a full Stack 1, where every push is lost and loops in
// the code may never see their values change, as runaway recursion with large frames did.
std::int32_t Dispatch::init_locals(std::uint32_t n, std::int32_t twice_code,
                                   std::int32_t no_room_code) {
  if (m_.locals != 0) return twice_code;
  m_.locals_base = m_.home + m_.argn;
  if (!m_.values.reserve(n, step_, lang::error_value())) return no_room_code;
  m_.locals = n;
  return keep_going;
}

std::int32_t Dispatch::init_locals_popped() {
  if (m_.locals != 0) return run_init_locals_pop_twice;
  double count = m_.values.pop();
  if (count < 0 || lang::is_error_value(count) || count >= HUGE_VAL) return keep_going;
  std::uint32_t n = 0;
  // Other not-a-number values and counts past 32 bits are more than any stack can reserve.
  if (!to_count(count, n)) n = std::numeric_limits<std::uint32_t>::max();
  return init_locals(n, run_init_locals_pop_twice, run_init_locals_pop_no_room);
}

} // namespace tovik::runner
