#include "context/machine_state.h"

#include <utility>

namespace tovik::runner {

void swap_run_state(MachineState& a, MachineState& b) {
  std::swap(a.values, b.values);
  std::swap(a.groups, b.groups);
  std::swap(a.frames, b.frames);
  std::swap(a.home, b.home);
  std::swap(a.argn, b.argn);
  std::swap(a.locals, b.locals);
  std::swap(a.locals_base, b.locals_base);
}

} // namespace tovik::runner
