#pragma once
// Everything the program keeps for its whole run, in one place. The program has exactly one
// context; tests make their own.

#include "console/settings.h"
#include "lang/node_counter.h"
#include "objects/object_table.h"
#include "runner/machine_state.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace tovik::analysis {
struct PlotPicture;
}

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
  // The calendar time in seconds for the keyboard poll; null means the real clock.
  std::int64_t (*clock)() = nullptr;
  // Shows the plot window until it is closed; false when no display could be opened. Null in
  // tests and wherever the window code is not linked.
  bool (*plot_window)(const analysis::PlotPicture&) = nullptr;

  // Set while the last `exit` could not save: the end of the input then ends with a failure.
  bool exit_unsaved = false;

  // The file `exit` saves into; null when `exit` saves nothing (a batch run that named no
  // start-up file).
  const char* startup_file = "Tovik.txt";
  // Batch mode: the view every value is shown in until a `wrformat` chooses another. Empty in the
  // console, where `value_format` alone decides.
  std::string view_format;
  // Batch mode: writes the output still held back and gives the exit status for `status`. Null
  // in the console.
  int (*finish_output)(Context& ctx, int status) = nullptr;

  // Depth of files opened from files; bounded so a file that opens itself cannot recurse forever.
  int open_depth = 0;

  // Stands in for ending the process (`exit`, `break`, end of input) where the process must go
  // on, as in the fuzz targets; it must not return.
  void (*end_process)(int status) = nullptr;
};

} // namespace tovik
