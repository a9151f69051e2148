#pragma once
// Text files of commands: reading them line by line and saving the settings and objects.

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace tovik {
struct Context;
}

namespace tovik::console {

struct CommandLine;

// Files opened from files nest at most this deep.
inline constexpr int open_depth_limit = 64;

// Reads one line (without its line end) into `buffer` of 10240 characters; true when the file
// had ended before any character of this line. A line over 10239 characters is read to its end
// and sets `too_long`; the buffer then holds only its start.
bool read_text_line(char* buffer, std::FILE* file, bool* too_long = nullptr);

// Runs one line read from file `name`, or, when it was longer than `limit` characters, refuses
// it whole with a message that names the file and the line.
void run_file_line(Context& ctx, CommandLine& line, const char* name, unsigned number,
                   bool too_long, std::size_t limit);

// A math file's text as one expression: white space and "//" comments removed.
std::string filter_math_text(std::string_view text);

void open_file(Context& ctx, const char* name);
void save_file(Context& ctx, const char* name);
// save_file, true when every file was written.
bool save_files(Context& ctx, const char* name);
void run_math_file(Context& ctx, const char* name);
void run_code_file(Context& ctx, const char* name);
void list_code_file(Context& ctx, const char* name);

} // namespace tovik::console
