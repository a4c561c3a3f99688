#include "platform/headless/headless_window.h"

#include "platform/headless/headless_window_system.h"

namespace somnara::platform {

HeadlessWindow::HeadlessWindow(HeadlessWindowSystem& system, const NativeWindowOptions& options,
                               NativeWindowListener* listener)
    : system_(system),
      listener_(listener),
      title_(options.title),
      bounds_(options.bounds),
      stay_on_top_(options.stay_on_top),
      full_screen_(options.full_screen),
      owner_(options.owner) {
  pixels_.assign(size_t(std::max(0, bounds_.Width())) * size_t(std::max(0, bounds_.Height())), 0);
}

HeadlessWindow::~HeadlessWindow() {
  system_.Remove(this);
}

void HeadlessWindow::SetBounds(const Rect& bounds) {
  if (bounds.Width() != bounds_.Width() || bounds.Height() != bounds_.Height())
    pixels_.assign(size_t(std::max(0, bounds.Width())) * size_t(std::max(0, bounds.Height())), 0);
  bounds_ = bounds;
}

void HeadlessWindow::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  if (visible) system_.BringToTop(this);
  if (!visible && system_.focused_ == this) system_.focused_ = nullptr;
  if (!visible) dragging_ = false;
}

void HeadlessWindow::SetOpacity(uint8_t opacity) {
  if (opacity_history_.empty() || opacity != opacity_) opacity_history_.push_back(opacity);
  opacity_ = opacity;
}

void HeadlessWindow::Raise() {
  if (visible_) system_.BringToTop(this);
}

void HeadlessWindow::Focus() {
  if (visible_) system_.focused_ = this;
}

void HeadlessWindow::BeginMoveDrag(Point screen_start) {
  dragging_ = true;
  drag_start_ = screen_start;
  drag_bounds_ = bounds_;
}

void HeadlessWindow::Present(const PixelView& view, const Rect& damage) {
  ++present_count_;
  int w = bounds_.Width(), h = bounds_.Height();
  Rect area = damage.Intersect({0, 0, std::min(w, view.width), std::min(h, view.height)});
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      pixels_[size_t(y) * size_t(w) + size_t(x)] =
          view.pixels[size_t(y) * size_t(view.stride) + size_t(x)] & 0xFFFFFF;
}

uint32_t HeadlessWindow::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= bounds_.Width() || y >= bounds_.Height()) return 0;
  return pixels_[size_t(y) * size_t(bounds_.Width()) + size_t(x)];
}

}  // namespace somnara::platform
