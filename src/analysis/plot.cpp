#include "analysis/plot.h"

#include "analysis/plot_draw.h"
#include "analysis/plot_picture.h"
#include "context/context.h"
#include "context/output.h"

#include <cstdlib>

namespace tovik::analysis {

namespace {

bool display_named() {
  const char* display = std::getenv("DISPLAY");
  return display && *display;
}

bool shown_in_window(Context& ctx, const PlotPicture& picture) {
  return ctx.plot_window && display_named() && ctx.plot_window(picture);
}

} // namespace

void show_graph(Context& ctx, std::span<const double> xs, std::span<const double> ys) {
  if (xs.empty() || xs.size() != ys.size()) return;
  const Settings& settings = ctx.settings;
  PlotPicture picture = make_picture(xs, ys, settings.graph_width, settings.graph_height);
  if (shown_in_window(ctx, picture)) return;
  // Without a window the picture is not lost: the user gets exactly what the window would show.
  if (save_picture_png(picture, graph_file_name))
    print_line(ctx, "GRAPH | No display: the picture was saved to Tovik-graph.png.");
  else
    print_line(ctx, "GRAPH | No display, and the picture could not be saved to "
                    "Tovik-graph.png.");
}

} // namespace tovik::analysis
