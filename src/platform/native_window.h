#pragma once

#include <cstdint>
#include <string>

#include "platform/geometry.h"

namespace somnara::platform {

// Pixels as 0x00RRGGBB words, rows top to bottom; stride counts words.
struct PixelView {
  const uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;
};

enum class MouseButton { kLeft, kRight, kMiddle };

// The mouse buttons held down once an event has taken effect: a press already counts its
// own button, a release no longer does. Every backend fills it, so a drag reads the same
// whatever desktop it runs on.
struct MouseButtons {
  bool left = false;
  bool right = false;
  bool middle = false;

  // The same buttons with one of them pressed or released.
  MouseButtons With(MouseButton button, bool down) const {
    MouseButtons held = *this;
    (button == MouseButton::kLeft    ? held.left
     : button == MouseButton::kRight ? held.right
                                     : held.middle) = down;
    return held;
  }
  bool operator==(const MouseButtons&) const = default;
};

// Modifier bits of an input event.
enum Modifier : unsigned { kShift = 1, kCtrl = 2, kAlt = 4 };

// What a native window reports. Coordinates are relative to the window's outer
// top-left corner; screen coordinates come along for dragging and menus.
struct InputEvent {
  enum class Kind {
    kMouseDown,
    kMouseUp,
    kMouseMove,
    kMouseEnter,
    kMouseLeave,
    kDoubleClick,
    kKeyDown,  // key: a virtual-key number (VK_RETURN 0x0D, 'A' 0x41, ...)
    kKeyUp,
    kChar,  // ch: a Unicode code point typed; Alt held gives a system character
    kFocusIn,
    kFocusOut,
    kCloseRequest,  // the user asked the window manager to close the window
    kExpose,        // area: part of the window must be presented again
    kMoved,         // area: the window's new outer bounds (moved by the window manager)
    // visible: whether any of the window can be seen now. False while other windows cover
    // it completely or the display is switched off; what it draws then is wasted.
    kVisibility,
  };
  Kind kind = Kind::kMouseMove;
  Point pos;
  Point screen;
  MouseButton button = MouseButton::kLeft;  // the button pressed or released
  MouseButtons held;                        // mouse events: the buttons down now
  uint32_t key = 0;
  uint32_t ch = 0;
  unsigned modifiers = 0;
  Rect area;
  bool visible = true;
};

class NativeWindowListener {
 public:
  virtual ~NativeWindowListener() = default;
  virtual void OnNativeEvent(const InputEvent& event) = 0;
};

struct NativeWindowOptions {
  std::string title;
  Rect bounds;  // outer bounds in screen coordinates
  bool stay_on_top = false;
  bool full_screen = false;  // the backdrop: covers the screen, no decorations anywhere
  class NativeWindow* owner = nullptr;
};

// One top-level window. The framework draws every pixel, frame and caption included,
// and hands the result over with Present.
class NativeWindow {
 public:
  virtual ~NativeWindow() = default;
  virtual void SetTitle(const std::string& title) = 0;
  virtual void SetBounds(const Rect& bounds) = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual void SetOpacity(uint8_t opacity) = 0;      // 0 transparent .. 255 opaque
  virtual void SetRegion(const Region& region) = 0;  // window-relative; empty: whole window
  virtual void SetStayOnTop(bool on_top) = 0;
  virtual void SetOwner(NativeWindow* owner) = 0;
  virtual void SetModal(bool modal) = 0;  // owners take no input while set
  virtual void SetMinimized(bool minimized) = 0;
  virtual void Raise() = 0;
  virtual void Focus() = 0;
  virtual void CaptureMouse(bool capture) = 0;
  // Moves the window with the pointer until the button is released (dragging by the
  // caption); the new place is reported with kMoved.
  virtual void BeginMoveDrag(Point screen_start) {}
  // Shows the pixels of `damage` (window-relative); the view covers the whole window. A
  // backend may keep reading the view (to repair exposed parts, to blend windows above)
  // until the next Present or ForgetPresented: the presenter changes it meanwhile only by
  // drawing what it presents next.
  virtual void Present(const PixelView& pixels, const Rect& damage) = 0;
  // The pixels last presented are about to be freed or moved: nothing may read them after
  // this call.
  virtual void ForgetPresented() {}
};

}  // namespace somnara::platform
