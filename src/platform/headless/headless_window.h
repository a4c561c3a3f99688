#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/native_window.h"

namespace somnara::platform {

class HeadlessWindowSystem;

// A window that exists only in memory: tests read what the program showed on it.
class HeadlessWindow : public NativeWindow {
 public:
  HeadlessWindow(HeadlessWindowSystem& system, const NativeWindowOptions& options,
                 NativeWindowListener* listener);
  ~HeadlessWindow() override;

  void SetTitle(const std::string& title) override { title_ = title; }
  void SetBounds(const Rect& bounds) override;
  void SetVisible(bool visible) override;
  void SetOpacity(uint8_t opacity) override;
  void SetRegion(const Region& region) override { region_ = region; }
  void SetStayOnTop(bool on_top) override { stay_on_top_ = on_top; }
  void SetOwner(NativeWindow* owner) override { owner_ = owner; }
  void SetModal(bool modal) override { modal_ = modal; }
  void SetMinimized(bool minimized) override { minimized_ = minimized; }
  void Raise() override;
  void Focus() override;
  void CaptureMouse(bool capture) override { captured_ = capture; }
  void BeginMoveDrag(Point screen_start) override;
  void Present(const PixelView& pixels, const Rect& damage) override;

  const std::string& Title() const { return title_; }
  const Rect& Bounds() const { return bounds_; }
  bool Visible() const { return visible_; }
  uint8_t Opacity() const { return opacity_; }
  // Every opacity value set, in order.
  const std::vector<uint8_t>& OpacityHistory() const { return opacity_history_; }
  const Region& WindowRegion() const { return region_; }
  bool StayOnTop() const { return stay_on_top_; }
  bool FullScreen() const { return full_screen_; }
  NativeWindow* Owner() const { return owner_; }
  bool Modal() const { return modal_; }
  bool Minimized() const { return minimized_; }
  bool Captured() const { return captured_; }
  bool Dragging() const { return dragging_; }
  int PresentCount() const { return present_count_; }
  // The pixels last presented (0x00RRGGBB), window-relative.
  uint32_t PixelAt(int x, int y) const;
  int Width() const { return bounds_.Width(); }
  int Height() const { return bounds_.Height(); }
  NativeWindowListener* Listener() const { return listener_; }

 private:
  friend class HeadlessWindowSystem;
  HeadlessWindowSystem& system_;
  NativeWindowListener* listener_;
  std::string title_;
  Rect bounds_;
  bool visible_ = false;
  uint8_t opacity_ = 255;
  std::vector<uint8_t> opacity_history_;
  Region region_;
  bool stay_on_top_ = false;
  bool full_screen_ = false;
  NativeWindow* owner_ = nullptr;
  bool modal_ = false;
  bool minimized_ = false;
  bool captured_ = false;
  bool dragging_ = false;
  Point drag_start_;
  Rect drag_bounds_;
  int present_count_ = 0;
  std::vector<uint32_t> pixels_;
};

}  // namespace somnara::platform
