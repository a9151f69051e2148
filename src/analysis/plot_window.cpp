#include "analysis/plot_window.h"

#include "analysis/plot_draw.h"
#include "analysis/plot_picture.h"

#include <cairo-xlib.h>
#include <poll.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <memory>

namespace tovik::analysis {

namespace {

constexpr int window_x = 20;
constexpr int window_y = 20;
constexpr char window_title[] = "Tovik Graphics Window";

struct DisplayClose {
  void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayClose>;

// Xlib's default handlers end the process on any error. The calculator must outlive its plot
// window: protocol errors are ignored while the window is shown, and a lost connection ends the
// window instead of the program.
int ignore_protocol_error(Display*, XErrorEvent*) { return 0; }
int ignore_io_error(Display*) { return 0; }

void note_lost_connection(Display*, void* lost) { *static_cast<bool*>(lost) = true; }

class ErrorHandlerScope {
public:
  ErrorHandlerScope()
      : previous_(XSetErrorHandler(ignore_protocol_error)),
        previous_io_(XSetIOErrorHandler(ignore_io_error)) {}
  ~ErrorHandlerScope() {
    XSetIOErrorHandler(previous_io_);
    XSetErrorHandler(previous_);
  }
  ErrorHandlerScope(const ErrorHandlerScope&) = delete;
  ErrorHandlerScope& operator=(const ErrorHandlerScope&) = delete;

private:
  XErrorHandler previous_;
  XIOErrorHandler previous_io_;
};

// One shown window: created and mapped in the constructor, destroyed with everything it holds in
// the destructor. Its content is a copy of the picture's image, the back buffer.
class PlotWindow {
public:
  PlotWindow(Display* display, cairo_surface_t* image, const bool& lost);
  ~PlotWindow();
  PlotWindow(const PlotWindow&) = delete;
  PlotWindow& operator=(const PlotWindow&) = delete;

  // Handles events until the window is closed or the connection is lost.
  void run();

private:
  void set_properties();
  bool next_event(XEvent& event);
  bool closes(XEvent& event);
  void repaint();

  Display* display_;
  cairo_surface_t* image_;
  const bool& lost_;
  int width_;
  int height_;
  Window window_;
  Atom delete_request_;
  bool destroyed_ = false;
  SurfacePtr surface_;
};

PlotWindow::PlotWindow(Display* display, cairo_surface_t* image, const bool& lost)
    : display_(display), image_(image), lost_(lost), width_(cairo_image_surface_get_width(image)),
      height_(cairo_image_surface_get_height(image)) {
  int screen = DefaultScreen(display_);
  unsigned long black = BlackPixel(display_, screen);
  window_ = XCreateSimpleWindow(display_, RootWindow(display_, screen), window_x, window_y, width_,
                                height_, 0, black, black);
  delete_request_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
  set_properties();
  XSelectInput(display_, window_,
               ExposureMask | ButtonPressMask | KeyPressMask | StructureNotifyMask);
  surface_.reset(cairo_xlib_surface_create(display_, window_, DefaultVisual(display_, screen),
                                           width_, height_));
  XMapRaised(display_, window_);
  XFlush(display_);
}

PlotWindow::~PlotWindow() {
  if (lost_) {
    // Destroying a Cairo surface whose connection is lost waits forever inside Xlib; its few
    // kilobytes are left behind on purpose. Closing the display itself is safe.
    (void)surface_.release();
    return;
  }
  surface_.reset();
  if (!destroyed_) XDestroyWindow(display_, window_);
  XSync(display_, False);
}

void PlotWindow::set_properties() {
  XStoreName(display_, window_, window_title);
  XSizeHints hints{};
  // The picture has one size: the window keeps its place and does not resize.
  hints.flags = USPosition | USSize | PMinSize | PMaxSize;
  hints.x = window_x;
  hints.y = window_y;
  hints.width = hints.min_width = hints.max_width = width_;
  hints.height = hints.min_height = hints.max_height = height_;
  XSetWMNormalHints(display_, window_, &hints);
  char name[] = "tovik", class_name[] = "Tovik";
  XClassHint class_hint{name, class_name};
  XSetClassHint(display_, window_, &class_hint);
  XSetWMProtocols(display_, window_, &delete_request_, 1);
}

// Waits on the connection itself rather than inside XNextEvent, so that a lost connection
// returns here instead of blocking or ending the process.
bool PlotWindow::next_event(XEvent& event) {
  while (!lost_) {
    if (XPending(display_) > 0) {
      XNextEvent(display_, &event);
      return true;
    }
    if (lost_) break;
    pollfd connection{ConnectionNumber(display_), POLLIN, 0};
    poll(&connection, 1, -1);
  }
  return false;
}

bool PlotWindow::closes(XEvent& event) {
  switch (event.type) {
  case ButtonPress: return event.xbutton.button == Button1;
  case KeyPress: return XLookupKeysym(&event.xkey, 0) == XK_Escape;
  case ClientMessage: return static_cast<Atom>(event.xclient.data.l[0]) == delete_request_;
  case DestroyNotify: destroyed_ = event.xdestroywindow.window == window_; return destroyed_;
  default: return false;
  }
}

void PlotWindow::repaint() {
  ContextPtr cr(cairo_create(surface_.get()));
  cairo_set_operator(cr.get(), CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr.get(), image_, 0, 0);
  cairo_paint(cr.get());
  cairo_surface_flush(surface_.get());
  XFlush(display_);
}

void PlotWindow::run() {
  XEvent event;
  while (next_event(event)) {
    if (closes(event)) return;
    if (event.type == Expose && event.xexpose.count == 0) repaint();
  }
}

} // namespace

bool show_plot_window(const PlotPicture& picture) {
  SurfacePtr image = render_picture(picture);
  if (!image) return false;
  ErrorHandlerScope errors; // outlives the display: closing it may still report errors
  DisplayPtr display(XOpenDisplay(nullptr));
  if (!display) return false;
  bool lost = false;
  XSetIOErrorExitHandler(display.get(), note_lost_connection, &lost);
  PlotWindow window(display.get(), image.get(), lost);
  window.run();
  return true;
}

} // namespace tovik::analysis
