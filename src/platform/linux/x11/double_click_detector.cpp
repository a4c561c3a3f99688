#include "platform/linux/x11/double_click_detector.h"

#include <cstdlib>

namespace somnara::platform::x11 {

bool DoubleClickDetector::OnPress(unsigned long window, int button, int screen_x, int screen_y,
                                  uint32_t time_ms) {
  const uint32_t elapsed = time_ms - time_;  // unsigned: correct across the wrap
  const bool is_double = armed_ && window == window_ && button == button_ && elapsed <= time_ms_ &&
                         std::abs(screen_x - x_) <= slop_ && std::abs(screen_y - y_) <= slop_;
  if (is_double) {
    armed_ = false;
    return true;
  }
  armed_ = true;
  window_ = window;
  button_ = button;
  x_ = screen_x;
  y_ = screen_y;
  time_ = time_ms;
  return false;
}

}  // namespace somnara::platform::x11
