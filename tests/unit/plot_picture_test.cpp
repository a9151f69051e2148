#include "analysis/plot_picture.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <limits>
#include <vector>

namespace tovik::analysis {
namespace {

using Values = std::vector<double>;

std::vector<int> bottom_tick_columns(const PlotPicture& picture) {
  std::vector<int> columns;
  for (const PixelLine& tick : picture.ticks)
    if (tick.from.x == tick.to.x) columns.push_back(tick.from.x);
  return columns;
}

std::vector<int> left_tick_rows(const PlotPicture& picture) {
  std::vector<int> rows;
  for (const PixelLine& tick : picture.ticks)
    if (tick.from.y == tick.to.y) rows.push_back(tick.from.y);
  return rows;
}

std::vector<int> arithmetic(int first, int step, int count) {
  std::vector<int> values;
  for (int k = 0; k < count; ++k) values.push_back(first + k * step);
  return values;
}

// x from 0 to 10, y = x * x: xmin 0, xmax 10, ymin 0, ymax 100.
PlotPicture squares_640x480() {
  Values xs, ys;
  for (int k = 0; k <= 10; ++k) xs.push_back(k), ys.push_back(k * k);
  return make_picture(xs, ys, 640, 480);
}

TEST(PlotPictureTicks, DefaultSizeHasElevenBottomAndTwentyOneLeftTicks) {
  PlotPicture picture = squares_640x480();
  EXPECT_EQ(bottom_tick_columns(picture), arithmetic(6, 62, 11)); // 6, 68, ..., 626
  EXPECT_EQ(left_tick_rows(picture), arithmetic(6, 23, 21));      // 6, 29, ..., 466
  ASSERT_EQ(picture.ticks.size(), 32u);
  EXPECT_EQ(picture.ticks[0], (PixelLine{{6, 471}, {6, 477}}));
  EXPECT_EQ(picture.ticks[11], (PixelLine{{3, 6}, {9, 6}}));
  EXPECT_EQ(picture.ticks[31], (PixelLine{{3, 466}, {9, 466}}));
}

TEST(PlotPictureTicks, LastTickStaysBelowTheFarMargin) {
  // 642 - 12 = 630 divides by 10: the eleventh tick would land exactly on W - 6.
  EXPECT_EQ(tick_positions(642, 10), arithmetic(6, 63, 10));
  EXPECT_EQ(tick_positions(641, 10), arithmetic(6, 62, 11));
}

TEST(PlotPictureTicks, SpacingNeverZero) {
  EXPECT_EQ(tick_positions(22, 10), arithmetic(6, 1, 10));
  EXPECT_EQ(tick_positions(21, 10), arithmetic(6, 1, 9));
  EXPECT_TRUE(tick_positions(0, 10).empty());
  EXPECT_TRUE(tick_positions(-50, 20).empty());
}

TEST(PlotPictureLabels, PlacesAndValuesAlongBothEdges) {
  PlotPicture picture = squares_640x480();
  ASSERT_EQ(picture.labels.size(), 32u);
  // Bottom: 6 pixels left of the tick, 24 above the bottom edge; xmin at the first tick.
  EXPECT_EQ(picture.labels[0].place, (PixelPoint{0, 456}));
  EXPECT_EQ(picture.labels[0].text, "0");
  EXPECT_EQ(picture.labels[1].place, (PixelPoint{62, 456}));
  EXPECT_DOUBLE_EQ(picture.labels[1].value, 62.0 / 628 * 10);
  EXPECT_EQ(picture.labels[1].text, "0.9873");
  EXPECT_EQ(picture.labels[10].place, (PixelPoint{620, 456}));
  EXPECT_EQ(picture.labels[10].text, "9.873");
  // Left: at x 12, 12 above the tick; larger values at the top.
  EXPECT_EQ(picture.labels[11].place, (PixelPoint{12, -6}));
  EXPECT_EQ(picture.labels[11].text, "100");
  EXPECT_EQ(picture.labels[12].place, (PixelPoint{12, 17}));
  EXPECT_DOUBLE_EQ(picture.labels[12].value, 100 - 23.0 / 468 * 100);
  EXPECT_EQ(picture.labels[12].text, "95.09");
  EXPECT_EQ(picture.labels[31].place, (PixelPoint{12, 454}));
  EXPECT_EQ(picture.labels[31].text, "1.709");
}

TEST(PlotPictureLabels, FourSignificantDigits) {
  EXPECT_EQ(label_text(0), "0");
  EXPECT_EQ(label_text(-1.41421356), "-1.414");
  EXPECT_EQ(label_text(123456), "1.235e+05");
  EXPECT_EQ(label_text(0.000012345), "1.234e-05");
  EXPECT_EQ(label_text(1e300), "1e+300");
}

TEST(PlotPictureFrame, ClosedOutlineThreePixelsInside) {
  PlotPicture picture = squares_640x480();
  EXPECT_EQ(picture.frame,
            (std::vector<PixelPoint>{{3, 3}, {637, 3}, {637, 477}, {3, 477}, {3, 3}}));
  EXPECT_EQ(picture.caption.text, "Tovik Graph");
  EXPECT_EQ(picture.caption.place, (PixelPoint{10, 10}));
}

TEST(PlotPictureScreen, CornersOfTheRangeAndTruncation) {
  PlotBounds b{0, 10, 0, 100};
  EXPECT_EQ(screen_x(0, b, 640), 6);
  EXPECT_EQ(screen_x(10, b, 640), 634);
  EXPECT_EQ(screen_x(5, b, 640), 320);
  EXPECT_EQ(screen_x(0.99, b, 640), 6 + 62); // 62.172 truncated
  EXPECT_EQ(screen_y(0, b, 480), 474);
  EXPECT_EQ(screen_y(100, b, 480), 6);
  EXPECT_EQ(screen_y(50, b, 480), 240);
  EXPECT_EQ(screen_y(1, b, 480), 480 - 4 - 6); // 4.68 truncated
}

TEST(PlotPictureScreen, NegativeRangeTruncatesTowardZeroFromTheMinimum) {
  PlotBounds b{-3, 1, -2, -1};
  EXPECT_EQ(screen_x(-3, b, 640), 6);
  EXPECT_EQ(screen_x(-2, b, 640), 6 + 157);
  EXPECT_EQ(screen_y(-1.5, b, 480), 240);
}

TEST(PlotPictureCurve, PointsInListOrderWithRepeatsDropped) {
  Values xs{0, 10, 10, 5, 0};
  Values ys{0, 100, 100, 50, 0};
  PlotPicture picture = make_picture(xs, ys, 640, 480);
  EXPECT_EQ(picture.curve, (std::vector<PixelPoint>{{6, 474}, {634, 6}, {320, 240}, {6, 474}}));
}

TEST(PlotPictureBounds, MinimumAndMaximumOfEachList) {
  Values xs{3, -1, 7, 2, -4};
  Values ys{5, 9, -2, 9, 0};
  PlotBounds b = find_bounds(xs, ys);
  EXPECT_EQ(b.xmin, -4);
  EXPECT_EQ(b.xmax, 7);
  EXPECT_EQ(b.ymin, -2);
  EXPECT_EQ(b.ymax, 9);
}

TEST(PlotPictureBounds, NonFinitePointsHaveNoPlace) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  Values xs{nan, 1, 2, inf, 3};
  Values ys{0, 1, -inf, 5, 2};
  PlotPicture picture = make_picture(xs, ys, 640, 480);
  EXPECT_EQ(picture.bounds.xmin, 1);
  EXPECT_EQ(picture.bounds.xmax, 3);
  EXPECT_EQ(picture.bounds.ymin, 1);
  EXPECT_EQ(picture.bounds.ymax, 2);
  EXPECT_EQ(picture.curve, (std::vector<PixelPoint>{{6, 474}, {634, 6}}));
}

TEST(PlotPictureZeroWidth, SinglePointSitsInTheMiddle) {
  PlotPicture picture = make_picture(Values{2.5}, Values{-7}, 640, 480);
  EXPECT_EQ(picture.curve, (std::vector<PixelPoint>{{320, 240}}));
  for (const PlotText& label : picture.labels)
    EXPECT_TRUE(label.text == "2.5" || label.text == "-7") << label.text;
}

TEST(PlotPictureZeroWidth, EqualXKeepsTheYAxis) {
  PlotPicture picture = make_picture(Values{4, 4, 4}, Values{0, 1, 2}, 640, 480);
  EXPECT_EQ(picture.curve, (std::vector<PixelPoint>{{320, 474}, {320, 240}, {320, 6}}));
  for (int k = 0; k < 11; ++k) EXPECT_EQ(picture.labels[k].text, "4");
  EXPECT_EQ(picture.labels[11].text, "2");
  EXPECT_EQ(picture.labels[31].text, "0.03419");
}

TEST(PlotPictureZeroWidth, EqualYKeepsTheXAxis) {
  PlotPicture picture = make_picture(Values{0, 1}, Values{3, 3}, 640, 480);
  EXPECT_EQ(picture.curve, (std::vector<PixelPoint>{{6, 240}, {634, 240}}));
}

TEST(PlotPictureSize, SmallSizesDrawnAtTheMinimum) {
  PlotPicture picture = make_picture(Values{0, 1}, Values{0, 1}, 5, -3);
  EXPECT_EQ(picture.width, 22);
  EXPECT_EQ(picture.height, 32);
  EXPECT_EQ(bottom_tick_columns(picture), arithmetic(6, 1, 10));
  EXPECT_EQ(left_tick_rows(picture), arithmetic(6, 1, 20));
  EXPECT_EQ(picture.curve, (std::vector<PixelPoint>{{6, 26}, {16, 6}}));
  EXPECT_EQ(picture_width(21), 22);
  EXPECT_EQ(picture_width(22), 22);
  EXPECT_EQ(picture_height(31), 32);
  EXPECT_EQ(picture_height(32), 32);
}

TEST(PlotPictureSize, LargeSizesDrawnAtTheMaximum) {
  EXPECT_EQ(picture_width(8192), 8192);
  EXPECT_EQ(picture_width(8193), 8192);
  EXPECT_EQ(picture_height(2147483647), 8192);
  PlotPicture picture = make_picture(Values{0, 1}, Values{0, 1}, 100000, 900);
  EXPECT_EQ(picture.width, 8192);
  EXPECT_EQ(picture.height, 900);
  EXPECT_EQ(picture.curve.back(), (PixelPoint{8186, 6}));
}

TEST(PlotPictureRange, WiderThanTheLargestDoubleStaysOnScreen) {
  PlotPicture picture =
      make_picture(Values{-DBL_MAX, 0, DBL_MAX}, Values{DBL_MAX, 0, -DBL_MAX}, 640, 480);
  EXPECT_EQ(picture.curve, (std::vector<PixelPoint>{{6, 6}, {320, 240}, {634, 474}}));
  EXPECT_EQ(picture.labels[0].text, "-1.798e+308");
  EXPECT_EQ(picture.labels[10].text, "1.752e+308");
  EXPECT_EQ(picture.labels[11].text, "1.798e+308");
}

} // namespace
} // namespace tovik::analysis
