#include "console/line_editor.h"

#include <dlfcn.h>

namespace tovik::console {

namespace {

template <typename T> bool find(void* library, const char* name, T& part, std::string& why) {
  part = reinterpret_cast<T>(::dlsym(library, name));
  if (!part) why = ::dlerror();
  return part != nullptr;
}

} // namespace

std::optional<LineEditor> load_line_editor(const char* file, std::string& why) {
  void* library = ::dlopen(file, RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    why = ::dlerror();
    return std::nullopt;
  }
  std::optional<LineEditor> editor(std::in_place);
  bool found =
      find(library, "readline", editor->readline, why) &&
      find(library, "add_history", editor->add_history, why) &&
      find(library, "stifle_history", editor->stifle_history, why) &&
      find(library, "rl_completion_matches", editor->completion_matches, why) &&
      find(library, "rl_line_buffer", editor->line_buffer, why) &&
      find(library, "rl_attempted_completion_over", editor->attempted_completion_over, why) &&
      find(library, "rl_readline_name", editor->readline_name, why) &&
      find(library, "rl_basic_word_break_characters", editor->word_break_characters, why) &&
      find(library, "rl_attempted_completion_function", editor->attempted_completion_function, why);
  if (found) return editor; // the library stays loaded for the rest of the run
  ::dlclose(library);
  return std::nullopt;
}

} // namespace tovik::console
