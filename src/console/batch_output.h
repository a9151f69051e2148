#pragma once
// Batch mode's output: the console writes every message to one stream, and this stream sorts
// each finished line by its message tag. Failures go to standard error, confirmations a script
// does not need are left out, and everything else (values, the output of commands) goes to
// standard output. Each stream keeps the order in which its lines were written.

#include <cstdio>
#include <string>
#include <string_view>

namespace tovik::console {

enum class LineRoute { values, failures, dropped };

// Where a finished line (without its line end) goes in batch mode.
LineRoute route_of(std::string_view line);

class BatchOutput {
public:
  BatchOutput(std::FILE* values, std::FILE* failures);
  ~BatchOutput();
  BatchOutput(const BatchOutput&) = delete;
  BatchOutput& operator=(const BatchOutput&) = delete;

  // The stream the console writes to; null when it could not be made.
  std::FILE* stream() const { return stream_; }
  // While quiet (the start-up file is read), only failures are written.
  void set_quiet(bool quiet) { quiet_ = quiet; }
  // Whether a failure line was written.
  bool failed() const { return failed_; }
  // Writes everything held back, a last unfinished line too; false when something could not be
  // written.
  bool finish();

private:
  static ssize_t write_cookie(void* self, const char* data, std::size_t size);
  void take(std::string_view data);
  void emit(std::string_view line);

  std::FILE* values_;
  std::FILE* failures_;
  std::FILE* stream_ = nullptr;
  std::string pending_; // the unfinished line
  bool quiet_ = false;
  bool failed_ = false;
  bool lost_ = false; // a write to standard output or error failed
};

} // namespace tovik::console
