#pragma once
// The options that are not file names: --help (-h) and --version (-v).

#include <cstdio>
#include <string_view>

namespace tovik::console {

inline constexpr const char* version_text = "1.0.0.6";

// Prints the usage or the version when `arg` is exactly one of the options; true then.
bool print_option(std::FILE* out, std::string_view arg);

} // namespace tovik::console
