#pragma once
// Writing a file so that a failure half-way never destroys the old one: the data goes to a
// temporary file beside it, which then replaces the old file in one step.

#include <string>
#include <string_view>

namespace tovik::console {

enum class WriteResult { ok, cannot_open, cannot_write };

WriteResult write_file_atomically(const std::string& name, std::string_view data);

} // namespace tovik::console
