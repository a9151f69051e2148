#pragma once
// The one door between the calculator and its plotting module (tovik_plot.so): the module holds
// all code bound to Cairo and the window system and is loaded only when a picture is made, so a
// start of the calculator loads none of those libraries.

#include <cstddef>

namespace tovik::analysis {
struct PlotPicture;
}

extern "C" {

// Receives the PNG data piece by piece.
typedef void TovikPngSink(void* closure, const unsigned char* data, std::size_t length);

struct TovikPlotModule {
  unsigned version; // tovik_plot_version of the module; a module of another version is not used
  // Makes the picture as PNG data for `sink`; false when it could not be made.
  bool (*encode_png)(const tovik::analysis::PlotPicture* picture, TovikPngSink* sink,
                     void* closure);
  // Shows the picture in the plot window until it is closed; false at once when no display can
  // be opened.
  bool (*show_window)(const tovik::analysis::PlotPicture* picture);
};

// The module's one exported symbol.
const TovikPlotModule* tovik_plot_module();
}

namespace tovik::analysis {

// Changes whenever TovikPlotModule or PlotPicture change.
inline constexpr unsigned tovik_plot_version = 1;
// Found beside the program in the build, and in its library folder (TOVIK_MODULE_FROM_PROGRAM, a
// path relative to the program's folder) when installed.
inline constexpr const char* plot_module_file = "tovik_plot.so";

// The module, loaded on the first call; null when it cannot be loaded, with the reason (one line
// naming the file) in `why`.
const TovikPlotModule* plot_module(const char*& why);

// The plot window hook of the program: the module's window; false when the module is missing.
bool show_module_window(const PlotPicture& picture);

} // namespace tovik::analysis
