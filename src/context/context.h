#pragma once
// Everything the program keeps for its whole run, in one place. The program has exactly one
// context; tests make their own. Every layer may use it; it holds the state of the layers below
// the runner and the machine state, and reaches the console only through the hooks the console
// installs, so no layer below the console depends on it.

#include "context/machine_state.h"
#include "context/settings.h"
#include "lang/node_counter.h"
#include "objects/object_table.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

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
  // Keeps the keyboard in the mode key_waiting needs between hold(true) and hold(false), so that
  // a long series of looks does not switch it for each one; null where it is never switched.
  void (*hold_key_mode)(bool hold) = nullptr;
  // The calendar time in seconds for the keyboard poll; null means the real clock.
  std::int64_t (*clock)() = nullptr;
  // Shows the plot window until it is closed; false when no display could be opened. Null in
  // tests and wherever the window code is not linked.
  bool (*plot_window)(const analysis::PlotPicture&) = nullptr;

  // The console's services for the layers below it, installed by the console; null where no
  // console is attached. Runs one console line for running code.
  void (*run_line)(Context& ctx, std::string_view text) = nullptr;
  // Reads one input line for running code, at most `bound` characters of it; false at the end
  // of the input (and always without a console).
  bool (*read_line)(Context& ctx, std::string& line, std::size_t bound) = nullptr;
  // Shows a newly defined object as the console's "what" does.
  void (*show_object)(Context& ctx, std::string_view name) = nullptr;

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
