#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/geometry.h"
#include "support/screen_image.h"

struct _XDisplay;

namespace somnara::testing {

// A top-level window as the X server holds it.
struct TopWindow {
  unsigned long frame = 0;   // the root's child: the window manager's frame, or the window
  unsigned long client = 0;  // the window that carries the name
  std::string name;          // _NET_WM_NAME, else WM_NAME
  Rect bounds;               // the client window in root coordinates
  Rect frame_bounds;         // the root's child, border included
  bool viewable = false;
  int stack = -1;  // place among the root's children, bottom = 0
  unsigned long transient_for = 0;
};

// A connection of its own to a display, for looking at what the server really holds:
// windows, their names and stacking, and the pixels on the screen. Windows that vanish
// while they are looked at are simply left out.
class ScreenProbe {
 public:
  ScreenProbe() = default;
  ~ScreenProbe() { Close(); }
  ScreenProbe(const ScreenProbe&) = delete;
  ScreenProbe& operator=(const ScreenProbe&) = delete;

  bool Open(const std::string& display, std::string* error);
  void Close();
  _XDisplay* display() const { return display_; }

  // Every named top-level window (mapped or not), bottom to top.
  std::vector<TopWindow> Windows();
  // The topmost viewable window with this name that `accept` takes.
  template <typename Accept>
  std::optional<TopWindow> Find(const std::string& name, Accept accept) {
    const std::vector<TopWindow> all = Windows();
    for (auto it = all.rbegin(); it != all.rend(); ++it)
      if (it->viewable && it->name == name && accept(*it)) return *it;
    return std::nullopt;
  }
  // Pixels of the root window (what is on the screen) inside `area`.
  ScreenImage Grab(const Rect& area);
  ScreenImage GrabScreen();
  Size ScreenSize() const;
  // Moves a top-level window, as a user dragging it would.
  void Move(unsigned long frame, int x, int y);

 private:
  _XDisplay* display_ = nullptr;
};

}  // namespace somnara::testing
