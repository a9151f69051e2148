#pragma once
// Everything the program keeps for its whole run, in one place. The program has exactly one
// context; tests make their own.

#include "console/settings.h"
#include "lang/node_counter.h"
#include "objects/object_table.h"
#include "runner/machine_state.h"

#include <cstdint>
#include <cstdio>

namespace tovik {

struct Context {
  std::FILE* out = stdout;
  Settings settings;
  lang::NodeCounter nodes;
  objects::ObjectTable objects;
  runner::MachineState machine;

  // Keyboard poll: the last second in which the keyboard was looked at.
  std::int64_t last_key_check = 0;
  // Whether a key press is waiting, without consuming it; null means "never" (tests, pipes).
  bool (*key_waiting)() = nullptr;

  // Depth of files opened from files; bounded so a file that opens itself cannot recurse forever.
  int open_depth = 0;
};

} // namespace tovik
