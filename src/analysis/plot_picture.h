#pragma once
// The plot picture as plain geometry: where the frame, ticks, labels, caption and curve go for a
// point list and a picture size. No drawing here, so every position can be checked exactly.

#include <span>
#include <string>
#include <vector>

namespace tovik::analysis {

// Sizes the picture is drawn at: below the minimum a tick spacing would be 0 pixels and the tick
// loops would not advance; above the maximum the back buffer would be needlessly huge.
inline constexpr int min_picture_width = 22;
inline constexpr int min_picture_height = 32;
inline constexpr int max_picture_side = 8192;

// Pixel positions: x to the right, y downwards, (0, 0) the top-left pixel.
struct PixelPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// A 1-pixel line covering the pixels from `from` up to, but not including, `to`.
struct PixelLine {
  PixelPoint from;
  PixelPoint to;
  friend bool operator==(const PixelLine&, const PixelLine&) = default;
};

// Text whose top-left corner is at `place`.
struct PlotText {
  PixelPoint place;
  std::string text;
  double value = 0; // the value a label stands for (0 for the caption)
};

struct PlotBounds {
  double xmin = 0;
  double xmax = 0;
  double ymin = 0;
  double ymax = 0;
};

struct PlotPicture {
  int width = 0; // the size drawn, after the size bounds
  int height = 0;
  PlotBounds bounds;
  PlotText caption;
  std::vector<PixelPoint> frame; // closed: the last corner repeats the first
  std::vector<PixelLine> ticks;  // bottom ticks first, then left ticks
  std::vector<PlotText> labels;  // one per tick, in the same order
  std::vector<PixelPoint> curve; // the points in list order, repeats in a row dropped
};

// Bounds of the points whose x and y are both finite; all 0 when there is none.
PlotBounds find_bounds(std::span<const double> xs, std::span<const double> ys);

// A picture side after the size bounds.
int picture_width(int width);
int picture_height(int height);

// Tick positions along a side of `length` pixels divided into `parts` spacings: 6, 6 + d, ...
// while below length - 6, with d = (length - 12) / parts.
std::vector<int> tick_positions(int length, int parts);

// "%.4g" of the value.
std::string label_text(double value);

// Screen column and row of a value; a zero-width range puts it in the middle of the axis.
int screen_x(double x, const PlotBounds& bounds, int width);
int screen_y(double y, const PlotBounds& bounds, int height);

// The whole picture of the point lists at the requested size (bounded as above). Points with a
// non-finite coordinate have no place on the screen and are left out.
PlotPicture make_picture(std::span<const double> xs, std::span<const double> ys, int width,
                         int height);

} // namespace tovik::analysis
