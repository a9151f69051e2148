#include "console/completion.h"

#include "context/context.h"
#include "lang/names.h"

#include <algorithm>

namespace tovik::console {

namespace {

constexpr std::string_view commands[] = {
    // Console commands.
    "autoload", "break", "countformat", "exec", "exit", "graph", "help", "open", "runcode",
    "runmath", "save", "savecode", "showprog", "stkstep", "unknown", "whatcode", "wrformat",
    // Math commands.
    "clnmem", "count", "def", "del", "func", "list", "null", "set", "try", "what"};

constexpr std::string_view file_commands[] = {"autoload", "open", "runcode",
                                              "runmath",  "save", "whatcode"};

void add_if_prefixed(std::vector<std::string>& out, std::string_view word,
                     std::string_view prefix) {
  if (word.substr(0, prefix.size()) == prefix) out.emplace_back(word);
}

} // namespace

std::vector<std::string> completions(const Context& ctx, std::string_view prefix, bool first_word) {
  std::vector<std::string> out;
  if (first_word)
    for (std::string_view c : commands) add_if_prefixed(out, c, prefix);
  for (std::string_view k : lang::keyword_names()) add_if_prefixed(out, k, prefix);
  ctx.objects.for_each_object(nullptr, [&](const std::string& name, const auto&, const auto&,
                                           std::FILE*) { add_if_prefixed(out, name, prefix); });
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
  return out;
}

bool takes_file_names(std::string_view command) {
  return std::find(std::begin(file_commands), std::end(file_commands), command) !=
         std::end(file_commands);
}

} // namespace tovik::console
