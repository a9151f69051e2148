#pragma once
// The two options that are not file names: --help and --version.

#include <cstdio>
#include <string_view>

namespace tovik::console {

inline constexpr const char* version_text = "1.0.0.6";

// Prints the usage or the version when `arg` is exactly "--help" or "--version"; true then.
bool print_option(std::FILE* out, std::string_view arg);

} // namespace tovik::console
