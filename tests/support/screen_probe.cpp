#include "support/screen_probe.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <deque>
#include <set>

namespace somnara::testing {
namespace {

// Windows come and go while a test looks at them: a request about one that has gone
// fails, and that is no reason to end the test process. Errors on other connections (a
// backend in the same process) go to the handler that was there before.
std::set<Display*>& ProbeConnections() {
  static std::set<Display*> connections;
  return connections;
}
XErrorHandler g_previous_handler = nullptr;

int OnError(Display* display, XErrorEvent* event) {
  if (ProbeConnections().count(display) || g_previous_handler == nullptr) return 0;
  return g_previous_handler(display, event);
}

std::string TextProperty(Display* d, Window w, Atom property) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::string text;
  if (XGetWindowProperty(d, w, property, 0, 4096, False, AnyPropertyType, &type, &format, &count,
                         &after, &data) == Success &&
      data && format == 8)
    text.assign(reinterpret_cast<const char*>(data), count);
  if (data) XFree(data);
  return text;
}

bool HasProperty(Display* d, Window w, Atom property) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const bool has = XGetWindowProperty(d, w, property, 0, 0, False, AnyPropertyType, &type, &format,
                                      &count, &after, &data) == Success &&
                   type != None;
  if (data) XFree(data);
  return has;
}

std::vector<Window> Children(Display* d, Window w) {
  Window root = None, parent = None;
  Window* children = nullptr;
  unsigned int count = 0;
  std::vector<Window> out;
  if (XQueryTree(d, w, &root, &parent, &children, &count) && children)
    out.assign(children, children + count);
  if (children) XFree(children);
  return out;
}

// The window with a name at or below `frame` (breadth first: a window manager's frame
// holds the client a level or two down).
Window NamedWindow(Display* d, Window frame, Atom wm_name) {
  std::deque<Window> queue{frame};
  for (int visited = 0; !queue.empty() && visited < 200; ++visited) {
    const Window w = queue.front();
    queue.pop_front();
    if (HasProperty(d, w, wm_name)) return w;
    for (Window c : Children(d, w)) queue.push_back(c);
  }
  return None;
}

}  // namespace

bool ScreenProbe::Open(const std::string& display, std::string* error) {
  Close();
  display_ = XOpenDisplay(display.c_str());
  if (!display_) {
    *error = "cannot open display " + display;
    return false;
  }
  ProbeConnections().insert(display_);
  const XErrorHandler previous = XSetErrorHandler(OnError);
  if (previous != OnError) g_previous_handler = previous;
  return true;
}

void ScreenProbe::Close() {
  if (!display_) return;
  XCloseDisplay(display_);
  ProbeConnections().erase(display_);
  display_ = nullptr;
}

std::vector<TopWindow> ScreenProbe::Windows() {
  std::vector<TopWindow> out;
  Display* d = display_;
  const Window root = DefaultRootWindow(d);
  const Atom wm_name = XA_WM_NAME;
  const Atom net_wm_name = XInternAtom(d, "_NET_WM_NAME", False);
  const std::vector<Window> frames = Children(d, root);
  for (size_t i = 0; i < frames.size(); ++i) {
    const Window client = NamedWindow(d, frames[i], wm_name);
    if (client == None) continue;
    TopWindow w;
    w.frame = frames[i];
    w.client = client;
    w.stack = int(i);
    w.name = TextProperty(d, client, net_wm_name);
    if (w.name.empty()) w.name = TextProperty(d, client, wm_name);
    XWindowAttributes a{};
    if (!XGetWindowAttributes(d, client, &a)) continue;
    w.viewable = a.map_state == IsViewable;
    int x = 0, y = 0;
    Window child = None;
    XTranslateCoordinates(d, client, root, 0, 0, &x, &y, &child);
    w.bounds = Rect::FromSize(x, y, a.width, a.height);
    XWindowAttributes f{};
    if (!XGetWindowAttributes(d, frames[i], &f)) continue;
    w.frame_bounds =
        Rect::FromSize(f.x, f.y, f.width + 2 * f.border_width, f.height + 2 * f.border_width);
    Window owner = None;
    if (XGetTransientForHint(d, client, &owner)) w.transient_for = owner;
    out.push_back(w);
  }
  return out;
}

ScreenImage ScreenProbe::Grab(const Rect& area) {
  const Size screen = ScreenSize();
  const Rect r = area.Intersect(Rect::FromSize(0, 0, screen.width, screen.height));
  ScreenImage out;
  if (r.IsEmpty()) return out;
  XImage* image = XGetImage(display_, DefaultRootWindow(display_), r.left, r.top,
                            unsigned(r.Width()), unsigned(r.Height()), AllPlanes, ZPixmap);
  if (!image) return out;
  out.left = r.left;
  out.top = r.top;
  out.width = r.Width();
  out.height = r.Height();
  out.pixels.resize(size_t(out.width) * size_t(out.height));
  // The private server has a 24-bit true-colour screen: the pixel value is 0xRRGGBB.
  const bool plain = image->bits_per_pixel == 32 && image->byte_order == LSBFirst &&
                     __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__;
  for (int y = 0; y < out.height; ++y) {
    uint32_t* line = &out.pixels[size_t(y) * size_t(out.width)];
    if (plain) {
      // Row by row without a call per pixel: the start-up benchmark grabs in a tight loop.
      const auto* source = reinterpret_cast<const uint32_t*>(
          image->data + size_t(y) * size_t(image->bytes_per_line));
      for (int x = 0; x < out.width; ++x) line[x] = source[x] & 0xFFFFFFu;
    } else {
      for (int x = 0; x < out.width; ++x) line[x] = uint32_t(XGetPixel(image, x, y)) & 0xFFFFFFu;
    }
  }
  XDestroyImage(image);
  return out;
}

ScreenImage ScreenProbe::GrabScreen() {
  const Size s = ScreenSize();
  return Grab(Rect::FromSize(0, 0, s.width, s.height));
}

Size ScreenProbe::ScreenSize() const {
  const int screen = DefaultScreen(display_);
  return {DisplayWidth(display_, screen), DisplayHeight(display_, screen)};
}

void ScreenProbe::Move(unsigned long frame, int x, int y) {
  XMoveWindow(display_, frame, x, y);
  XSync(display_, False);
}

}  // namespace somnara::testing
