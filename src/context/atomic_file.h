#pragma once
// Writing a file so that a failure half-way never destroys the old one: the data goes to a
// temporary file beside it, created exclusively (a link planted at its name is never followed),
// which then replaces the old file in one step. A name that is a symbolic link is written
// through to the file it points to, and the link stays.

#include <string>
#include <string_view>

namespace tovik {

// The file a name finally stands for: symbolic links are followed (at most 40 of them); the name
// itself when it is no link.
std::string link_target(const std::string& name);

// Whether two names stand for the same file, also through links (a file that does not exist
// yet is compared by its folder and name).
bool same_file(const std::string& a, const std::string& b);

enum class WriteResult { ok, cannot_open, cannot_write };

// With `through_links` false a link at `name` is replaced by the file, never followed.
WriteResult write_file_atomically(const std::string& name, std::string_view data,
                                  bool through_links = true);

} // namespace tovik
