#pragma once

struct _XDisplay;

namespace somnara::platform::x11 {

// Display power through the server's DPMS extension. Servers without it, or
// whose screens cannot do it (virtual servers), are left alone without a word.
class MonitorPower {
 public:
  explicit MonitorPower(_XDisplay* display) : display_(display) {}

  // -1 on, 1 low power, 2 off; other values are ignored. Returns whether the
  // server was asked.
  bool Set(int state);
  bool Supported() const;

 private:
  _XDisplay* display_;
  bool enabled_by_us_ = false;  // DPMS was off and we turned it on to force a level
};

}  // namespace somnara::platform::x11
