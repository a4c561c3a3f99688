#pragma once

#include <cstdint>
#include <memory>

struct _XDisplay;

namespace somnara::platform::x11 {

// Display power through the server's DPMS extension. Forcing a level needs DPMS enabled on
// the server, which is a setting of the user's; where it was off, it is turned on only for
// as long as the display-off duty lasts and then put back as found (enabled or not, and
// its timeouts): when the display is asked back on, when no display-off request has come
// for `duty_lapse_ms`, when this object goes, and when the process is ended by a signal
// or aborts. A server without DPMS is said once on standard error.
class MonitorPower {
 public:
  // The display-off requests come every 30 s while the duty lasts.
  static constexpr int64_t kDutyLapseMs = 90'000;

  explicit MonitorPower(_XDisplay* display, int64_t duty_lapse_ms = kDutyLapseMs);
  ~MonitorPower();
  MonitorPower(const MonitorPower&) = delete;
  MonitorPower& operator=(const MonitorPower&) = delete;

  // -1 on, 1 low power, 2 off; other values are ignored. Returns whether the
  // server was asked.
  bool Set(int state);
  bool Supported() const;
  // Whether the display shows anything now: input wakes it without telling us.
  bool DisplayOn() const;

 private:
  class Keeper;

  _XDisplay* display_;
  int64_t duty_lapse_ms_;
  // Present while the server's DPMS settings are ours to put back.
  std::unique_ptr<Keeper> keeper_;
  bool said_unsupported_ = false;
};

}  // namespace somnara::platform::x11
