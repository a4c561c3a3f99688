#include "e2e/main_window/window_at.h"

#include <X11/Xlib.h>

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

}  // namespace somnara::testing
