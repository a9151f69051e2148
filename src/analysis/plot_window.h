#pragma once
// The plot window on the X display. Only the plotting module and the window test hold this code;
// the core library reaches it through the context's plot_window hook.

namespace tovik::analysis {

struct PlotPicture;

// Shows the picture in a window titled "Tovik Graphics Window" at (20, 20), and blocks until a
// left click into it, the window manager's close request or the Escape key closes it. False, at
// once, when no display can be opened.
bool show_plot_window(const PlotPicture& picture);

} // namespace tovik::analysis
