#include "analysis/plot_module.h"

#include <string>

#include <dlfcn.h>

namespace tovik::analysis {

namespace {

struct Loaded {
  const TovikPlotModule* module = nullptr;
  std::string why;
};

Loaded load() {
  Loaded loaded;
  // The module stays loaded for the rest of the run: its window code may keep state in the
  // libraries it pulled in.
  void* handle = ::dlopen(plot_module_file, RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    loaded.why = ::dlerror();
    return loaded;
  }
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
