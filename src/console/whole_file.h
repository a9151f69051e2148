#pragma once
// Reading a whole file into memory for the math-file and code-file commands.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tovik {
struct Context;
}

namespace tovik::console {

// Prints "Reading NAME..." and reads the file; on failure prints its message and gives nothing.
std::optional<std::vector<std::uint8_t>> read_whole_file(Context& ctx, const char* name);

// The code file that goes with a saved text file: its name up to the last "." of the last
// path component, then ".dat".
std::string code_file_name(const std::string& text_file);

} // namespace tovik::console
