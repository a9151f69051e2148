#pragma once
// Tells a key pressed during a run from input that was already on its way when the run began
// (pasted or typed-ahead lines), by the number of bytes waiting at the terminal. Such input is
// for the console lines that follow, not a request to stop.

#include <chrono>
#include <cstddef>

namespace tovik::console {

class TypeAhead {
public:
  using Clock = std::chrono::steady_clock;
  // A paste may reach the terminal in several chunks; input that grows again within this time
  // of the run's start or of the previous chunk belongs to the same paste.
  static constexpr std::chrono::milliseconds paste_gap{1500};

  // A run (or a long command) begins with `waiting` bytes already at the terminal.
  void begin(std::size_t waiting, Clock::time_point now) {
    known_ = waiting;
    pasting_ = waiting > 0;
    last_chunk_ = now;
  }

  // Whether input beyond the paste has arrived. A key press is never taken into the paste, so
  // every later poll sees it again until the console reads it.
  bool key_pressed(std::size_t waiting, Clock::time_point now) {
    if (waiting <= known_) {
      known_ = waiting; // read in the meantime (the running code read a line)
      return false;
    }
    if (pasting_ && now - last_chunk_ <= paste_gap) {
      known_ = waiting;
      last_chunk_ = now;
      return false;
    }
    return true;
  }

private:
  std::size_t known_ = 0;
  bool pasting_ = false;
  Clock::time_point last_chunk_{};
};

} // namespace tovik::console
