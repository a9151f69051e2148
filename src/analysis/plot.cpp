#include "analysis/plot.h"

#include "analysis/plot_module.h"
#include "analysis/plot_picture.h"
#include "context/atomic_file.h"
#include "context/context.h"
#include "context/output.h"

#include <cstdlib>
#include <string>

namespace tovik::analysis {

namespace {

bool display_named() {
  const char* display = std::getenv("DISPLAY");
  return display && *display;
}

bool shown_in_window(Context& ctx, const PlotPicture& picture) {
  return ctx.plot_window && display_named() && ctx.plot_window(picture);
}

bool save_png(const TovikPlotModule& module, const PlotPicture& picture, const char* path) {
  std::string png;
  auto append = [](void* closure, const unsigned char* data, std::size_t length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  };
  return module.encode_png(&picture, append, &png) &&
         write_file_atomically(path, png, false) == WriteResult::ok;
}

} // namespace

// The PNG is made in memory and written like every saved file, and a link found at its fixed
// name is replaced, never followed: a failed write keeps the old picture.
bool save_picture_png(const PlotPicture& picture, const char* path) {
  const char* why = nullptr;
  const TovikPlotModule* module = plot_module(why);
  return module && save_png(*module, picture, path);
}

void show_graph(Context& ctx, std::span<const double> xs, std::span<const double> ys) {
  if (xs.empty() || xs.size() != ys.size()) return;
  const Settings& settings = ctx.settings;
  PlotPicture picture = make_picture(xs, ys, settings.graph_width, settings.graph_height);
  if (shown_in_window(ctx, picture)) return;
  const char* why = nullptr;
  const TovikPlotModule* module = plot_module(why);
  if (!module) {
    std::string message = std::string("GRAPH | No picture could be made: ") + why + ".";
    return print_line(ctx, message.c_str());
  }
  // Without a window the picture is not lost: the user gets exactly what the window would show.
  if (save_png(*module, picture, graph_file_name))
    print_line(ctx, "GRAPH | No display: the picture was saved to Tovik-graph.png.");
  else
    print_line(ctx, "GRAPH | No display, and the picture could not be saved to "
                    "Tovik-graph.png.");
}

} // namespace tovik::analysis
