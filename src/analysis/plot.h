#pragma once
// Shows graph's point lists: in the plot window when there is a display, otherwise as a PNG file.

#include <span>

namespace tovik {
struct Context;
}

namespace tovik::analysis {

struct PlotPicture;

inline constexpr const char* graph_file_name = "Tovik-graph.png";

// Nothing happens when the lists are empty or differ in length. Otherwise the picture of the
// points, at the size of the graph settings, goes to the context's window hook, which returns
// when the window is closed. Without a display (no DISPLAY, no server to reach, no window hook)
// the same picture is saved as graph_file_name in the current directory and a GRAPH line says so.
// When the plotting module cannot be loaded, a GRAPH line says why and nothing else happens.
void show_graph(Context& ctx, std::span<const double> xs, std::span<const double> ys);

// Writes the picture as a PNG file; false when it could not be written or the plotting module is
// missing.
bool save_picture_png(const PlotPicture& picture, const char* path);

} // namespace tovik::analysis
