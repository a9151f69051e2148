#include "analysis/plot_picture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tovik::analysis {

namespace {

// Drawing area: the points and ticks keep 6 pixels from every edge.
constexpr int margin = 6;
constexpr int bottom_tick_parts = 10;
constexpr int left_tick_parts = 20;

bool finite_point(double x, double y) { return std::isfinite(x) && std::isfinite(y); }

// Where v lies between lo and hi, from 0 to 1. A range wider than the largest double is measured
// in halves so that it does not overflow to infinity.
double fraction(double v, double lo, double hi) {
  if (!(hi > lo)) return 0.5;
  double span = hi - lo;
  double f = std::isfinite(span) ? (v - lo) / span : (v / 2 - lo / 2) / (hi / 2 - lo / 2);
  if (!(f >= 0)) return 0; // also catches a not-a-number
  return std::min(f, 1.0);
}

// The value at fraction t of the way from `from` to `to`.
double value_at(double from, double to, double t) {
  double span = to - from;
  if (std::isfinite(span)) return from + t * span;
  return from * (1 - t) + to * t;
}

void add_label(PlotPicture& picture, PixelPoint place, double value) {
  picture.labels.push_back(PlotText{place, label_text(value), value});
}

void add_bottom_ticks(PlotPicture& picture) {
  const int w = picture.width, h = picture.height;
  const PlotBounds& b = picture.bounds;
  for (int px : tick_positions(w, bottom_tick_parts)) {
    picture.ticks.push_back(PixelLine{{px, h - 9}, {px, h - 3}});
    double t = static_cast<double>(px - margin) / (w - 2 * margin);
    add_label(picture, {px - 6, h - 24}, value_at(b.xmin, b.xmax, t));
  }
}

void add_left_ticks(PlotPicture& picture) {
  const int h = picture.height;
  const PlotBounds& b = picture.bounds;
  for (int py : tick_positions(h, left_tick_parts)) {
    picture.ticks.push_back(PixelLine{{3, py}, {9, py}});
    double t = static_cast<double>(py - margin) / (h - 2 * margin);
    // Larger values at the top.
    add_label(picture, {12, py - 12}, value_at(b.ymax, b.ymin, t));
  }
}

void add_curve(PlotPicture& picture, std::span<const double> xs, std::span<const double> ys) {
  const std::size_t n = std::min(xs.size(), ys.size());
  for (std::size_t k = 0; k < n; ++k) {
    if (!finite_point(xs[k], ys[k])) continue;
    PixelPoint p{screen_x(xs[k], picture.bounds, picture.width),
                 screen_y(ys[k], picture.bounds, picture.height)};
    // Steps that stay on one pixel draw nothing; dropping them keeps huge lists cheap to draw.
    if (picture.curve.empty() || picture.curve.back() != p) picture.curve.push_back(p);
  }
}

} // namespace

PlotBounds find_bounds(std::span<const double> xs, std::span<const double> ys) {
  PlotBounds b;
  bool first = true;
  const std::size_t n = std::min(xs.size(), ys.size());
  for (std::size_t k = 0; k < n; ++k) {
    double x = xs[k], y = ys[k];
    if (!finite_point(x, y)) continue;
    if (first) {
      b = PlotBounds{x, x, y, y};
      first = false;
    }
    if (x > b.xmax)
      b.xmax = x;
    else if (x < b.xmin)
      b.xmin = x;
    if (y > b.ymax)
      b.ymax = y;
    else if (y < b.ymin)
      b.ymin = y;
  }
  return b;
}

int picture_width(int width) { return std::clamp(width, min_picture_width, max_picture_side); }

int picture_height(int height) { return std::clamp(height, min_picture_height, max_picture_side); }

std::vector<int> tick_positions(int length, int parts) {
  std::vector<int> positions;
  int step = parts > 0 ? (length - 2 * margin) / parts : 0;
  if (step < 1) step = 1;
  for (int p = margin; p < length - margin; p += step) positions.push_back(p);
  return positions;
}

std::string label_text(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4g", value);
  return text;
}

int screen_x(double x, const PlotBounds& bounds, int width) {
  double f = fraction(x, bounds.xmin, bounds.xmax);
  return static_cast<int>(std::trunc(f * (width - 2 * margin))) + margin;
}

int screen_y(double y, const PlotBounds& bounds, int height) {
  double f = fraction(y, bounds.ymin, bounds.ymax);
  return height - static_cast<int>(std::trunc(f * (height - 2 * margin))) - margin;
}

PlotPicture make_picture(std::span<const double> xs, std::span<const double> ys, int width,
                         int height) {
  PlotPicture picture;
  picture.width = picture_width(width);
  picture.height = picture_height(height);
  picture.bounds = find_bounds(xs, ys);
  picture.caption = PlotText{{10, 10}, "Tovik Graph", 0};
  const int w = picture.width, h = picture.height;
  picture.frame = {{3, 3}, {w - 3, 3}, {w - 3, h - 3}, {3, h - 3}, {3, 3}};
  add_bottom_ticks(picture);
  add_left_ticks(picture);
  add_curve(picture, xs, ys);
  return picture;
}

} // namespace tovik::analysis
