#pragma once
// Draws a plot picture with Cairo: onto any Cairo target, into an image, or into PNG data. The
// window and the PNG file both show the image made here, so they match pixel for pixel. This code
// lives in the plotting module (plot_module.h) and in the tests.

#include "analysis/plot_module.h"
#include "analysis/plot_picture.h"

#include <cairo.h>

#include <memory>

namespace tovik::analysis {

struct Rgb {
  unsigned char red, green, blue;
};

inline constexpr Rgb background_color{0, 0, 0};
inline constexpr Rgb frame_color{0, 255, 0};  // frame and ticks
inline constexpr Rgb text_color{0, 128, 255}; // caption and labels
inline constexpr Rgb curve_color{255, 255, 255};

struct SurfaceRelease {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceRelease>;

struct ContextRelease {
  void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
using ContextPtr = std::unique_ptr<cairo_t, ContextRelease>;

// Paints the whole picture, background included, with its top-left corner at (0, 0): 1-pixel
// lines on pixel centres and text, all without antialiasing, so every pixel has one of the colors.
void draw_picture(cairo_t* cr, const PlotPicture& picture);

// The picture in a new image of its size (CAIRO_FORMAT_RGB24); null when no image can be made.
SurfacePtr render_picture(const PlotPicture& picture);

// The picture as PNG data for `sink`; false when it could not be made.
bool encode_png(const PlotPicture& picture, TovikPngSink* sink, void* closure);

} // namespace tovik::analysis
