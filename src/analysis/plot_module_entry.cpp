// The exported entry of the plotting module: the drawing and window code behind the module's
// C-style interface.

#include "analysis/plot_draw.h"
#include "analysis/plot_module.h"
#include "analysis/plot_window.h"

namespace {

using tovik::analysis::PlotPicture;

bool encode_png(const PlotPicture* picture, TovikPngSink* sink, void* closure) {
  return tovik::analysis::encode_png(*picture, sink, closure);
}

bool show_window(const PlotPicture* picture) { return tovik::analysis::show_plot_window(*picture); }

constexpr TovikPlotModule module{tovik::analysis::tovik_plot_version, encode_png, show_window};

} // namespace

extern "C" __attribute__((visibility("default"))) const TovikPlotModule* tovik_plot_module() {
  return &module;
}
