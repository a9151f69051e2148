// Helper of the window test (xvfb_test.py), which drives it on its own X server:
//   plot_window_test show        shows the known points as graph does, between its two lines
//   plot_window_test ppm FILE    writes the picture the window must show, as a binary PPM
//   plot_window_test close ID    sends the window manager's close request to window ID
// The known points: (0, 0), (1, 0), (2, 1) at 640 x 480 go to (6, 474), (320, 474), (634, 6).

#include "analysis/plot.h"
#include "analysis/plot_draw.h"
#include "analysis/plot_picture.h"
#include "analysis/plot_window.h"
#include "context/context.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

using namespace tovik;
using namespace tovik::analysis;

const std::vector<double> known_xs{0, 1, 2};
const std::vector<double> known_ys{0, 0, 1};

int show() {
  static Context ctx;
  ctx.plot_window = show_plot_window;
  std::printf("Graphic window...\n");
  std::fflush(stdout);
  show_graph(ctx, known_xs, known_ys);
  std::printf("Graphic window was closed.\n");
  return 0;
}

struct FileClose {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

int write_ppm(const char* path) {
  PlotPicture picture = make_picture(known_xs, known_ys, 640, 480);
  SurfacePtr image = render_picture(picture);
  std::unique_ptr<std::FILE, FileClose> file(std::fopen(path, "wb"));
  if (!image || !file) return 1;
  const unsigned char* data = cairo_image_surface_get_data(image.get());
  const int stride = cairo_image_surface_get_stride(image.get());
  std::fprintf(file.get(), "P6\n%d %d\n255\n", picture.width, picture.height);
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) {
      std::uint32_t value;
      std::memcpy(&value, data + y * stride + 4 * x, sizeof value);
      unsigned char rgb[3] = {static_cast<unsigned char>(value >> 16),
                              static_cast<unsigned char>(value >> 8),
                              static_cast<unsigned char>(value)};
      std::fwrite(rgb, 1, 3, file.get());
    }
  return 0;
}

struct DisplayClose {
  void operator()(Display* display) const { XCloseDisplay(display); }
};

int send_close_request(const char* id) {
  std::unique_ptr<Display, DisplayClose> display(XOpenDisplay(nullptr));
  if (!display) return 1;
  Window window = std::strtoul(id, nullptr, 0);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display.get(), "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] =
      static_cast<long>(XInternAtom(display.get(), "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display.get(), window, False, NoEventMask, &event);
  XSync(display.get(), False);
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "show") == 0) return show();
  if (argc == 3 && std::strcmp(argv[1], "ppm") == 0) return write_ppm(argv[2]);
  if (argc == 3 && std::strcmp(argv[1], "close") == 0) return send_close_request(argv[2]);
  std::fprintf(stderr, "usage: plot_window_test show | ppm FILE | close WINDOW_ID\n");
  return 2;
}
