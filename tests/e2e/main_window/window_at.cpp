#include "e2e/main_window/window_at.h"

#include <X11/Xlib.h>
#include <X11/extensions/shape.h>

namespace somnara::testing {

std::optional<Rect> ViewableWindowAt(_XDisplay* display, Point corner) {
  Window root = DefaultRootWindow(display), parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  std::optional<Rect> found;
  if (!XQueryTree(display, root, &root, &parent, &children, &count)) return found;
  for (unsigned i = 0; i < count; ++i) {
    XWindowAttributes a;
    if (XGetWindowAttributes(display, children[i], &a) && a.map_state == IsViewable &&
        a.x == corner.x && a.y == corner.y)
      found = Rect::FromSize(a.x, a.y, a.width, a.height);
  }
  if (children) XFree(children);
  return found;
}

std::vector<Rect> WindowShape(_XDisplay* display, unsigned long window) {
  int count = 0, ordering = 0;
  XRectangle* r = XShapeGetRectangles(display, window, ShapeBounding, &count, &ordering);
  std::vector<Rect> out;
  for (int i = 0; i < count; ++i)
    out.push_back(Rect::FromSize(r[i].x, r[i].y, r[i].width, r[i].height));
  if (r) XFree(r);
  return out;
}

bool HasInputFocus(_XDisplay* display, unsigned long window, unsigned long frame) {
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(display, &focus, &revert);
  return focus != 0 && (focus == window || focus == frame);
}

}  // namespace somnara::testing
