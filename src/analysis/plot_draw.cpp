#include "analysis/plot_draw.h"

#include <cmath>
#include <string>

namespace tovik::analysis {

namespace {

constexpr double label_font_size = 12;

struct FontOptionsRelease {
  void operator()(cairo_font_options_t* options) const { cairo_font_options_destroy(options); }
};

void set_color(cairo_t* cr, Rgb color) {
  cairo_set_source_rgb(cr, color.red / 255.0, color.green / 255.0, color.blue / 255.0);
}

// Pixel centres: a 1-pixel line through them covers whole pixels only.
double centre(int pixel) { return pixel + 0.5; }

void set_text_style(cairo_t* cr) {
  cairo_select_font_face(cr, "monospace", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, label_font_size);
  std::unique_ptr<cairo_font_options_t, FontOptionsRelease> options(cairo_font_options_create());
  cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_NONE);
  cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_ON);
  cairo_set_font_options(cr, options.get());
}

// Places text by its top-left corner, like a text cell, rather than by its baseline.
void draw_text(cairo_t* cr, const PlotText& text) {
  cairo_font_extents_t extents;
  cairo_font_extents(cr, &extents);
  cairo_move_to(cr, text.place.x, text.place.y + std::round(extents.ascent));
  cairo_show_text(cr, text.text.c_str());
}

void draw_texts(cairo_t* cr, const PlotPicture& picture) {
  set_color(cr, text_color);
  set_text_style(cr);
  draw_text(cr, picture.caption);
  for (const PlotText& label : picture.labels) draw_text(cr, label);
}

// A closed outline through the pixel centres of the corners.
void draw_frame(cairo_t* cr, const PlotPicture& picture) {
  if (picture.frame.empty()) return;
  cairo_move_to(cr, centre(picture.frame[0].x), centre(picture.frame[0].y));
  for (const PixelPoint& p : picture.frame) cairo_line_to(cr, centre(p.x), centre(p.y));
  cairo_close_path(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  cairo_stroke(cr);
}

// Ticks are horizontal or vertical: with butt caps the line from a pixel's edge to another's
// edge covers the pixels from the first up to the one before the last.
void draw_ticks(cairo_t* cr, const PlotPicture& picture) {
  for (const PixelLine& line : picture.ticks) {
    bool vertical = line.from.x == line.to.x;
    if (vertical) {
      cairo_move_to(cr, centre(line.from.x), line.from.y);
      cairo_line_to(cr, centre(line.to.x), line.to.y);
    } else {
      cairo_move_to(cr, line.from.x, centre(line.from.y));
      cairo_line_to(cr, line.to.x, centre(line.to.y));
    }
  }
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  cairo_stroke(cr);
}

// Round caps and joins of a 1-pixel line cover exactly the pixel of each point, so a single
// point still shows as one pixel.
void draw_curve(cairo_t* cr, const PlotPicture& picture) {
  if (picture.curve.empty()) return;
  const PixelPoint& first = picture.curve.front();
  cairo_move_to(cr, centre(first.x), centre(first.y));
  for (const PixelPoint& p : picture.curve) cairo_line_to(cr, centre(p.x), centre(p.y));
  set_color(cr, curve_color);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
}

} // namespace

void draw_picture(cairo_t* cr, const PlotPicture& picture) {
  cairo_save(cr);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  set_color(cr, background_color);
  cairo_paint(cr);
  set_color(cr, frame_color);
  cairo_set_line_width(cr, 1);
  draw_frame(cr, picture);
  draw_ticks(cr, picture);
  // Labels go over the frame and ticks they touch; the curve goes over everything.
  draw_texts(cr, picture);
  draw_curve(cr, picture);
  cairo_restore(cr);
}

SurfacePtr render_picture(const PlotPicture& picture) {
  SurfacePtr image(cairo_image_surface_create(CAIRO_FORMAT_RGB24, picture.width, picture.height));
  if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  ContextPtr cr(cairo_create(image.get()));
  draw_picture(cr.get(), picture);
  cairo_surface_flush(image.get());
  return image;
}

bool encode_png(const PlotPicture& picture, TovikPngSink* sink, void* closure) {
  SurfacePtr image = render_picture(picture);
  if (!image) return false;
  struct Target {
    TovikPngSink* sink;
    void* closure;
  } target{sink, closure};
  auto write = [](void* to, const unsigned char* data, unsigned int length) {
    auto* t = static_cast<Target*>(to);
    t->sink(t->closure, data, length);
    return CAIRO_STATUS_SUCCESS;
  };
  return cairo_surface_write_to_png_stream(image.get(), write, &target) == CAIRO_STATUS_SUCCESS;
}

} // namespace tovik::analysis
