#pragma once

#include <cstdint>

namespace somnara::platform::x11 {

// Turns the second of two quick presses into a double click, the way the desktop
// platform does: same window, same button, within the double-click time and a few
// pixels of the first press. A double click is never the first press of another.
class DoubleClickDetector {
 public:
  static constexpr uint32_t kDefaultTimeMs = 500;
  static constexpr int kDefaultSlop = 4;

  explicit DoubleClickDetector(uint32_t time_ms = kDefaultTimeMs, int slop = kDefaultSlop)
      : time_ms_(time_ms), slop_(slop) {}

  // `time_ms` is the X server's 32-bit millisecond time stamp (it wraps).
  // Returns true when this press completes a double click.
  bool OnPress(unsigned long window, int button, int screen_x, int screen_y, uint32_t time_ms);
  void Reset() { armed_ = false; }

 private:
  uint32_t time_ms_;
  int slop_;
  bool armed_ = false;
  unsigned long window_ = 0;
  int button_ = 0;
  int x_ = 0;
  int y_ = 0;
  uint32_t time_ = 0;
};

}  // namespace somnara::platform::x11
