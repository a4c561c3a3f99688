#pragma once

#include <cstdint>
#include <vector>

#include "platform/native_window.h"

struct HWND__;
struct HDC__;

namespace somnara::platform {

class Win32WindowSystem;

// One top-level Win32 window that the framework paints completely: a popup with no
// caption or border of the desktop's (the framework draws its own frame), on the taskbar
// when it has no owner.
//
// How the framework's window maps onto the desktop's:
// - Presented pictures are kept; WM_PAINT repairs from the copy, and kExpose is reported
//   only for parts never presented.
// - Opacity below 255 makes the window layered (alpha for the whole window).
// - A modal window disables its owner chain, so the desktop itself sends their input to
//   it; the owners are enabled again before it hides, so the activation goes back to them.
// - A window owned, directly or not, by a stay-on-top window stays on top too.
// - Caption drags are done by hand with the mouse captured: the desktop's own move loop
//   would hold the framework's timers still for as long as the button is down.
class Win32Window : public NativeWindow {
 public:
  Win32Window(Win32WindowSystem* system, const NativeWindowOptions& options,
              NativeWindowListener* listener);
  ~Win32Window() override;
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  void SetTitle(const std::string& title) override;
  void SetBounds(const Rect& bounds) override;
  void SetVisible(bool visible) override;
  void SetOpacity(uint8_t opacity) override;
  void SetRegion(const Region& region) override;
  void SetStayOnTop(bool on_top) override;
  void SetOwner(NativeWindow* owner) override;
  void SetModal(bool modal) override;
  void SetMinimized(bool minimized) override;
  void Raise() override;
  void Focus() override;
  void CaptureMouse(bool capture) override;
  // Each step is reported as kMoved; the release that ends the drag is not reported.
  void BeginMoveDrag(Point screen_start) override;
  void Present(const PixelView& pixels, const Rect& damage) override;

  HWND__* hwnd() const { return hwnd_; }
  Rect bounds() const { return bounds_; }

  // The window procedure's work for this window; returns false for messages it leaves to
  // the default procedure.
  bool Handle(unsigned message, uintptr_t wparam, intptr_t lparam, intptr_t& result);

 private:
  friend class Win32WindowSystem;

  bool shown() const { return visible_ && !minimized_; }
  void Queue(const InputEvent& event);
  void MouseEvent(InputEvent::Kind kind, MouseButton button, uintptr_t wparam, intptr_t lparam);
  void KeyEvent(bool down, uintptr_t wparam);
  void CharEvent(uintptr_t wparam);
  void PositionChanged(const Rect& actual);
  void Paint();
  // Shows `area` (window-relative) of the kept picture on `dc`.
  void Draw(HDC__* dc, const Rect& area) const;
  void ApplyOnTop();
  void ApplyShow();
  void EndDrag();
  void ReleaseOwnCapture();
  // Another window of ours goes away: forget it as owner or as a window we disabled.
  void Forget(Win32Window* gone);
  void Disable(bool disable);
  // Destroys the desktop's window; the object stays as an inert shell.
  void Detach();

  Win32WindowSystem* system_;
  NativeWindowListener* listener_;
  HWND__* hwnd_ = nullptr;
  Rect bounds_;
  Win32Window* owner_ = nullptr;
  bool stay_on_top_ = false;
  bool applied_on_top_ = false;
  bool visible_ = false;
  bool minimized_ = false;
  bool modal_ = false;
  // The owners this window disabled while modal, and how many modal windows disable this.
  std::vector<Win32Window*> disabled_owners_;
  int disabled_count_ = 0;
  bool layered_ = false;
  uint8_t opacity_ = 255;
  bool captured_ = false;
  bool dragging_ = false;
  Point drag_offset_;  // pointer position minus window origin at the start of a drag
  bool pointer_inside_ = false;
  wchar_t high_surrogate_ = 0;
  // The last presented picture, 0x00RRGGBB rows: the desktop's 32-bit DIB layout.
  std::vector<uint32_t> picture_;
  Size picture_size_;
};

}  // namespace somnara::platform
