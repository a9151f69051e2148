#include "analysis/plot.h"
#include "analysis/plot_draw.h"
#include "analysis/plot_picture.h"
#include "context/context.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

namespace tovik::analysis {
namespace {

namespace fs = std::filesystem;
using Values = std::vector<double>;

constexpr const char* saved_line =
    "GRAPH | No display: the picture was saved to Tovik-graph.png.\n";

// What the window hook was last given, and what it answers.
int window_calls = 0;
std::optional<PlotPicture> window_picture;
bool window_opens = true;

bool fake_window(const PlotPicture& picture) {
  ++window_calls;
  window_picture = picture;
  return window_opens;
}

struct FileClose {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// Runs each test in a fresh current directory, with the output captured and DISPLAY restored.
class ShowGraph : public ::testing::Test {
protected:
  void SetUp() override {
    old_dir_ = fs::current_path();
    char pattern[] = "/tmp/tovik-show-graph-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    fs::current_path(dir_);
    if (const char* display = std::getenv("DISPLAY")) old_display_ = display;
    setenv("DISPLAY", ":97", 1);
    out_.reset(std::tmpfile());
    ctx_.out = out_.get();
    ctx_.plot_window = fake_window;
    window_calls = 0;
    window_picture.reset();
    window_opens = true;
  }
  void TearDown() override {
    fs::current_path(old_dir_);
    fs::remove_all(dir_);
    if (old_display_)
      setenv("DISPLAY", old_display_->c_str(), 1);
    else
      unsetenv("DISPLAY");
  }

  std::string output() {
    std::fflush(out_.get());
    std::rewind(out_.get());
    std::string text;
    char chunk[256];
    while (std::size_t n = std::fread(chunk, 1, sizeof chunk, out_.get())) text.append(chunk, n);
    return text;
  }
  bool png_saved() const { return fs::exists(dir_ / graph_file_name); }

  Context ctx_;
  fs::path dir_, old_dir_;
  std::optional<std::string> old_display_;
  std::unique_ptr<std::FILE, FileClose> out_;
};

TEST_F(ShowGraph, EmptyOrUnequalListsShowNothing) {
  show_graph(ctx_, Values{}, Values{});
  show_graph(ctx_, Values{1, 2}, Values{1});
  show_graph(ctx_, Values{}, Values{1});
  unsetenv("DISPLAY");
  show_graph(ctx_, Values{1}, Values{});
  EXPECT_EQ(window_calls, 0);
  EXPECT_EQ(output(), "");
  EXPECT_FALSE(png_saved());
}

TEST_F(ShowGraph, WindowGetsThePictureAtTheBoundedSize) {
  ctx_.settings.graph_width = 5;
  ctx_.settings.graph_height = 100000;
  show_graph(ctx_, Values{0, 1}, Values{0, 1});
  ASSERT_EQ(window_calls, 1);
  EXPECT_EQ(window_picture->width, 22);
  EXPECT_EQ(window_picture->height, 8192);
  EXPECT_EQ(window_picture->curve.size(), 2u);
  // The setting keeps what the user typed.
  EXPECT_EQ(ctx_.settings.graph_width, 5);
  EXPECT_EQ(ctx_.settings.graph_height, 100000);
  EXPECT_EQ(output(), "");
  EXPECT_FALSE(png_saved());
}

TEST_F(ShowGraph, WithoutDisplayVariableThePictureIsSaved) {
  unsetenv("DISPLAY");
  show_graph(ctx_, Values{0, 1, 2}, Values{0, 0, 1});
  EXPECT_EQ(window_calls, 0);
  EXPECT_EQ(output(), saved_line);
  ASSERT_TRUE(png_saved());
}

TEST_F(ShowGraph, EmptyDisplayVariableCountsAsNone) {
  setenv("DISPLAY", "", 1);
  show_graph(ctx_, Values{0}, Values{0});
  EXPECT_EQ(window_calls, 0);
  EXPECT_EQ(output(), saved_line);
}

TEST_F(ShowGraph, UnreachableServerFallsBackToTheFile) {
  window_opens = false;
  show_graph(ctx_, Values{0, 1}, Values{5, 3});
  EXPECT_EQ(window_calls, 1);
  EXPECT_EQ(output(), saved_line);
  EXPECT_TRUE(png_saved());
}

TEST_F(ShowGraph, NoWindowCodeLinkedFallsBackToTheFile) {
  ctx_.plot_window = nullptr;
  show_graph(ctx_, Values{0, 1}, Values{5, 3});
  EXPECT_EQ(output(), saved_line);
  EXPECT_TRUE(png_saved());
}

TEST_F(ShowGraph, SavedFileIsWhatTheWindowWouldShow) {
  window_opens = false;
  ctx_.settings.graph_width = 320;
  ctx_.settings.graph_height = 200;
  Values xs{-1, 0, 1, 2}, ys{1, 0, 1, 4};
  show_graph(ctx_, xs, ys);
  ASSERT_TRUE(window_picture);
  SurfacePtr shown = render_picture(*window_picture);
  SurfacePtr saved(cairo_image_surface_create_from_png(graph_file_name));
  ASSERT_EQ(cairo_surface_status(saved.get()), CAIRO_STATUS_SUCCESS);
  ASSERT_EQ(cairo_image_surface_get_width(saved.get()), 320);
  ASSERT_EQ(cairo_image_surface_get_height(saved.get()), 200);
  const int stride = cairo_image_surface_get_stride(shown.get());
  ASSERT_EQ(cairo_image_surface_get_stride(saved.get()), stride);
  // Both are 0x00RRGGBB words per pixel; the saved image is opaque, so compare colors only.
  const unsigned char* a = cairo_image_surface_get_data(shown.get());
  const unsigned char* b = cairo_image_surface_get_data(saved.get());
  int differ = 0;
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 320; ++x)
      differ += std::memcmp(a + y * stride + 4 * x, b + y * stride + 4 * x, 3) != 0;
  EXPECT_EQ(differ, 0);
}

TEST_F(ShowGraph, UnwritableFileIsReportedNotClaimed) {
  unsetenv("DISPLAY");
  fs::create_directory(dir_ / graph_file_name); // a directory cannot be written as a file
  show_graph(ctx_, Values{0}, Values{0});
  EXPECT_EQ(output(),
            "GRAPH | No display, and the picture could not be saved to Tovik-graph.png.\n");
}

} // namespace
} // namespace tovik::analysis
