#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/native_window.h"

struct _XDisplay;
struct _XGC;
union _XEvent;

namespace somnara::platform {

class X11WindowSystem;

namespace x11 {
class X11Surface;
}

// One top-level X window that the framework paints completely.
//
// How the desktop's behaviour maps onto X:
// - Exposed parts are repaired from a copy of the last presented picture; kExpose
//   is reported only for parts never presented (before the first Present, or
//   where the window grew past the last picture).
// - The second press of a double click is reported as kDoubleClick instead of
//   kMouseDown, followed by its kMouseUp, as the desktop platform does.
// - While a shown window is modal, the windows in its owner chain get none of the
//   mouse, key, character or close events; a click on one of them brings the
//   modal window forward instead.
// - A window owned (directly or not) by a stay-on-top window is stay-on-top too,
//   so the program's windows stay above its backdrop.
class X11Window : public NativeWindow {
 public:
  X11Window(X11WindowSystem* system, const NativeWindowOptions& options,
            NativeWindowListener* listener);
  ~X11Window() override;
  X11Window(const X11Window&) = delete;
  X11Window& operator=(const X11Window&) = delete;

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
  void Present(const PixelView& pixels, const Rect& damage) override;

  // Moves the window with the pointer until the left button is released, as a drag
  // on a caption does; `screen_start` is where the button went down. Each step is
  // reported as kMoved; the button release that ends it is not reported.
  void BeginMoveDrag(Point screen_start);
  bool IsMoveDragging() const { return dragging_; }

  unsigned long xid() const { return xid_; }
  // The bounds as last set or reported.
  Rect bounds() const { return bounds_; }
  void ForgetPresented() override;
  bool UsesSharedMemory() const;

 private:
  friend class X11WindowSystem;

  bool alive() const { return system_ != nullptr; }
  bool shown() const { return visible_ && !minimized_; }
  // Turns one X event for this window into the events its listener gets; handles
  // repairs, drags and bookkeeping itself. Must not call the listener.
  std::vector<InputEvent> Translate(_XEvent& event);
  void TranslateButton(const _XEvent& event, std::vector<InputEvent>& out);
  void TranslateKey(_XEvent& event, std::vector<InputEvent>& out);
  void TranslateConfigure(const _XEvent& event, std::vector<InputEvent>& out);
  void Repair(const Rect& area, std::vector<InputEvent>& out);
  void DragTo(Point screen, std::vector<InputEvent>& out);
  // The program's coordinates (the primary monitor's corner at 0, 0) to the root
  // window's, and back.
  Point ToRoot(Point p) const;
  Point FromRoot(int x, int y) const;
  void EndDrag();

  void ApplyHints();
  void ApplySizeHints();
  void SetWmHints(bool iconic);
  void UpdateNetWmState();
  void PushOpacity();
  // Without a compositing manager the window's opacity is ours to show: its picture is
  // blended with what our own windows beneath it show (all of which we draw).
  bool Blended() const;
  // Shows `area` (window-relative) as it should look now: blended, or the picture itself.
  void Show(const Rect& area);
  // Row y of the last presented picture (0x00RRGGBB; the top byte is not looked at).
  const uint32_t* PictureRow(int y) const;
  // The server paints a window's background the moment it maps it, before any picture of
  // ours could arrive: with the first frame as that background the window appears with it.
  void FrameAsBackground();
  // Whether any of the window can be seen; tells the listener when that changed.
  void ReportSeen(std::vector<InputEvent>& out);
  void Map();
  void Unmap();
  void ReleaseCapture();
  void OnMapped();
  void FocusNow();
  void RequestMove(const Rect& bounds);
  // Frees the X resources; the object stays as an inert shell.
  void Detach();

  X11WindowSystem* system_;
  _XDisplay* display_;
  NativeWindowListener* listener_;
  unsigned long xid_ = 0;
  _XGC* gc_ = nullptr;
  std::unique_ptr<x11::X11Surface> surface_;
  // The last presented picture (0x00RRGGBB rows), for blending, where the surface cannot
  // lend its own; and what the window shows while blended, with the surface that sends it.
  std::vector<uint32_t> picture_;
  Size picture_size_;
  std::vector<uint32_t> blended_pixels_;
  std::unique_ptr<x11::X11Surface> blended_;

  std::string title_;
  Rect bounds_;
  std::deque<Rect> requested_bounds_;  // asked of the server, not yet confirmed
  bool stay_on_top_ = false;
  bool full_screen_ = false;
  bool modal_ = false;
  X11Window* owner_ = nullptr;
  bool visible_ = false;
  bool minimized_ = false;
  bool mapped_ = false;  // the server says the window is mapped
  bool reparented_ = false;
  bool focus_on_map_ = false;
  bool wm_managed_ = false;  // mapped while a window manager runs: it owns our state
  bool has_focus_ = false;
  bool frame_background_ = false;  // the first frame is the window's background
  bool covered_ = false;           // other windows cover all of it
  bool reported_seen_ = true;      // what the listener was last told
  unsigned applied_states_ = 0;    // _NET_WM_STATE bits told to the window manager
  uint8_t opacity_ = 255;
  int pushed_opacity_ = 255;
  bool captured_ = false;
  bool dragging_ = false;
  Point drag_offset_;  // pointer position minus window origin at the start of a drag
};

}  // namespace somnara::platform
