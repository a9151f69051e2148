#include "analysis/plot.h"
#include "analysis/plot_draw.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace tovik::analysis {

bool operator==(Rgb a, Rgb b) { return a.red == b.red && a.green == b.green && a.blue == b.blue; }

void PrintTo(Rgb c, std::ostream* os) {
  *os << "(" << int(c.red) << ", " << int(c.green) << ", " << int(c.blue) << ")";
}

namespace {

using Values = std::vector<double>;

Rgb pixel(cairo_surface_t* image, int x, int y) {
  const unsigned char* row =
      cairo_image_surface_get_data(image) + y * cairo_image_surface_get_stride(image);
  std::uint32_t value;
  std::memcpy(&value, row + 4 * x, sizeof value);
  return Rgb{static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 8),
             static_cast<unsigned char>(value)};
}

int count_color(cairo_surface_t* image, int x0, int y0, int x1, int y1, Rgb color) {
  int count = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) count += pixel(image, x, y) == color;
  return count;
}

// Points at (6, 474), (320, 474) and (634, 6): a horizontal segment, then a steep one.
SurfacePtr render_test_picture() {
  PlotPicture picture = make_picture(Values{0, 1, 2}, Values{0, 0, 1}, 640, 480);
  SurfacePtr image = render_picture(picture);
  EXPECT_TRUE(image);
  return image;
}

TEST(PlotDraw, ImageHasThePictureSize) {
  SurfacePtr image = render_test_picture();
  ASSERT_TRUE(image);
  EXPECT_EQ(cairo_image_surface_get_width(image.get()), 640);
  EXPECT_EQ(cairo_image_surface_get_height(image.get()), 480);
}

TEST(PlotDraw, FrameCornersAndEdgesAreGreenOnBlack) {
  SurfacePtr image = render_test_picture();
  ASSERT_TRUE(image);
  cairo_surface_t* s = image.get();
  for (auto [x, y] : {std::pair{3, 3}, {637, 3}, {637, 477}, {3, 477}, {200, 3}, {3, 240}})
    EXPECT_EQ(pixel(s, x, y), frame_color) << x << "," << y;
  for (auto [x, y] : {std::pair{2, 2}, {4, 4}, {638, 3}, {637, 478}, {636, 476}, {0, 0}})
    EXPECT_EQ(pixel(s, x, y), background_color) << x << "," << y;
}

TEST(PlotDraw, TicksCoverTheirPixelsUpToTheFrame) {
  SurfacePtr image = render_test_picture();
  ASSERT_TRUE(image);
  cairo_surface_t* s = image.get();
  // Bottom tick at x = 68: rows 471 to 476, the frame below it; the curve crosses it at 474.
  for (int y = 471; y <= 477; ++y)
    EXPECT_EQ(pixel(s, 68, y), y == 474 ? curve_color : frame_color) << y;
  EXPECT_EQ(pixel(s, 68, 470), background_color);
  EXPECT_EQ(pixel(s, 67, 472), background_color);
  EXPECT_EQ(pixel(s, 69, 472), background_color);
  // Left tick at y = 29: columns 3 to 8.
  for (int x = 3; x <= 8; ++x) EXPECT_EQ(pixel(s, x, 29), frame_color) << x;
  EXPECT_EQ(pixel(s, 9, 29), background_color);
  EXPECT_EQ(pixel(s, 5, 28), background_color);
  EXPECT_EQ(pixel(s, 5, 30), background_color);
}

TEST(PlotDraw, CurveIsOnePixelWideThroughThePoints) {
  SurfacePtr image = render_test_picture();
  ASSERT_TRUE(image);
  cairo_surface_t* s = image.get();
  for (auto [x, y] : {std::pair{6, 474}, {100, 474}, {320, 474}, {477, 240}, {634, 6}})
    EXPECT_EQ(pixel(s, x, y), curve_color) << x << "," << y;
  EXPECT_EQ(pixel(s, 100, 473), background_color);
  EXPECT_EQ(pixel(s, 100, 475), background_color);
  // Each row of the steep segment is one or two pixels wide.
  int row = count_color(s, 320, 240, 640, 241, curve_color);
  EXPECT_GE(row, 1);
  EXPECT_LE(row, 2);
}

TEST(PlotDraw, CaptionAndLabelsInTextColor) {
  SurfacePtr image = render_test_picture();
  ASSERT_TRUE(image);
  cairo_surface_t* s = image.get();
  EXPECT_GT(count_color(s, 10, 10, 120, 30, text_color), 10);  // "Tovik Graph"
  EXPECT_GT(count_color(s, 62, 456, 120, 471, text_color), 5); // label of the tick at 68
  EXPECT_GT(count_color(s, 12, 17, 60, 30, text_color), 5);    // label of the tick at 29
  EXPECT_EQ(count_color(s, 300, 100, 400, 200, text_color), 0);
}

TEST(PlotDraw, NoAntialiasingEveryPixelHasOneOfTheColors) {
  SurfacePtr image = render_test_picture();
  ASSERT_TRUE(image);
  int others = 0;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) {
      Rgb c = pixel(image.get(), x, y);
      others += !(c == background_color || c == frame_color || c == text_color || c == curve_color);
    }
  EXPECT_EQ(others, 0);
}

TEST(PlotDraw, SinglePointIsOnePixel) {
  PlotPicture picture = make_picture(Values{1}, Values{1}, 640, 480);
  SurfacePtr image = render_picture(picture);
  ASSERT_TRUE(image);
  EXPECT_EQ(pixel(image.get(), 320, 240), curve_color);
  EXPECT_EQ(count_color(image.get(), 300, 220, 340, 260, curve_color), 1);
}

TEST(PlotDraw, SmallestPictureKeepsFrameAndTicksInside) {
  PlotPicture picture = make_picture(Values{0, 1}, Values{0, 1}, 1, 1);
  SurfacePtr image = render_picture(picture);
  ASSERT_TRUE(image);
  EXPECT_EQ(cairo_image_surface_get_width(image.get()), 22);
  EXPECT_EQ(cairo_image_surface_get_height(image.get()), 32);
  EXPECT_EQ(pixel(image.get(), 19, 29), frame_color);
  EXPECT_EQ(pixel(image.get(), 6, 26), curve_color);
}

class PlotPng : public ::testing::Test {
protected:
  void SetUp() override {
    char pattern[] = "/tmp/tovik-plot-draw-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    std::remove((dir_ + "/picture.png").c_str());
    rmdir(dir_.c_str());
  }
  std::string dir_;
};

TEST_F(PlotPng, FileHoldsExactlyTheRenderedPixels) {
  PlotPicture picture = make_picture(Values{0, 1, 2}, Values{0, 0, 1}, 300, 200);
  std::string path = dir_ + "/picture.png";
  ASSERT_TRUE(save_picture_png(picture, path.c_str()));
  SurfacePtr saved(cairo_image_surface_create_from_png(path.c_str()));
  ASSERT_EQ(cairo_surface_status(saved.get()), CAIRO_STATUS_SUCCESS);
  SurfacePtr drawn = render_picture(picture);
  ASSERT_EQ(cairo_image_surface_get_width(saved.get()), 300);
  ASSERT_EQ(cairo_image_surface_get_height(saved.get()), 200);
  int differ = 0;
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 300; ++x) differ += !(pixel(saved.get(), x, y) == pixel(drawn.get(), x, y));
  EXPECT_EQ(differ, 0);
}

TEST_F(PlotPng, UnwritablePlaceReportsFailure) {
  PlotPicture picture = make_picture(Values{0}, Values{0}, 640, 480);
  EXPECT_FALSE(save_picture_png(picture, (dir_ + "/missing/picture.png").c_str()));
}

} // namespace
} // namespace tovik::analysis
