#pragma once
// Shows graph's point lists: in the plot window when there is a display, otherwise as a PNG file.

#include <span>

namespace tovik {
struct Context;
}

namespace tovik::analysis {

inline constexpr const char* graph_file_name = "Tovik-graph.png";

// Nothing happens when the lists are empty or differ in length. Otherwise the picture of the
// points, at the size of the graph settings, goes to the context's window hook, which returns
// when the window is closed. Without a display (no DISPLAY, no server to reach, no window hook)
// the same picture is saved as graph_file_name in the current directory and a GRAPH line says so.
void show_graph(Context& ctx, std::span<const double> xs, std::span<const double> ys);

} // namespace tovik::analysis
