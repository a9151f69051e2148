#pragma once
// What the prompt offers for Tab: commands, the language's keywords and the names of the global
// objects there are now.

#include <string>
#include <string_view>
#include <vector>

namespace tovik {
struct Context;
}

namespace tovik::console {

// The words that complete `prefix`, sorted and without repeats. `first_word` says whether the
// word being typed is the line's first (where commands may stand).
std::vector<std::string> completions(const Context& ctx, std::string_view prefix, bool first_word);

// Commands whose arguments are file names, completed from the file system instead.
bool takes_file_names(std::string_view command);

} // namespace tovik::console
