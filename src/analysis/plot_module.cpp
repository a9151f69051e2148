#include "analysis/plot_module.h"

#include <climits>
#include <string>
#include <string_view>

#include <dlfcn.h>
#include <unistd.h>

namespace tovik::analysis {

namespace {

struct Loaded {
  const TovikPlotModule* module = nullptr;
  std::string why;
};

// The folder of the running program, which stands in for $ORIGIN; empty when it is unknown.
std::string program_folder() {
  char path[PATH_MAX];
  ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return {};
  std::string_view name(path, std::size_t(length));
  return std::string(name.substr(0, name.rfind('/') + 1));
}

// The module beside the program (in the build) or in its library folder (installed). The loader
// is not given a run path to search: it would search it for every library at every start.
void* open_module(std::string& why) {
  const std::string folder = program_folder();
  for (const char* place : {"", TOVIK_MODULE_FROM_PROGRAM}) {
    std::string path = folder + place + plot_module_file;
    // The module stays loaded for the rest of the run: its window code may keep state in the
    // libraries it pulled in.
    if (void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) return handle;
    why = ::dlerror();
    // A module that is there but cannot be loaded (a library of its own missing) says why.
    if (::access(path.c_str(), F_OK) == 0) break;
  }
  return nullptr;
}

Loaded load() {
  Loaded loaded;
  void* handle = open_module(loaded.why);
  if (!handle) return loaded;
  auto entry = reinterpret_cast<const TovikPlotModule* (*)()>(::dlsym(handle, "tovik_plot_module"));
  const TovikPlotModule* module = entry ? entry() : nullptr;
  if (!module || module->version != tovik_plot_version)
    loaded.why = std::string(plot_module_file) + " is of another version of the program";
  else
    loaded.module = module;
  return loaded;
}

} // namespace

const TovikPlotModule* plot_module(const char*& why) {
  static const Loaded loaded = load();
  why = loaded.why.c_str();
  return loaded.module;
}

bool show_module_window(const PlotPicture& picture) {
  const char* why = nullptr;
  const TovikPlotModule* module = plot_module(why);
  return module && module->show_window(&picture);
}

} // namespace tovik::analysis

#if defined(__SANITIZE_ADDRESS__)
#define TOVIK_LEAK_CHECKED
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TOVIK_LEAK_CHECKED
#endif
#endif
#ifdef TOVIK_LEAK_CHECKED
// The font library behind the plotting module's text keeps a few allocations for the life of the
// process and never frees them; the leak checker of sanitizer builds is told so rather than
// failing.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif
