#include "platform/linux/x11/monitor_power.h"

#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>

namespace somnara::platform::x11 {

bool MonitorPower::Supported() const {
  int event_base = 0;
  int error_base = 0;
  return DPMSQueryExtension(display_, &event_base, &error_base) && DPMSCapable(display_);
}

bool MonitorPower::Set(int state) {
  if (state != -1 && state != 1 && state != 2) return false;
  if (!Supported()) return false;
  CARD16 level = 0;
  BOOL enabled = False;
  DPMSInfo(display_, &level, &enabled);
  if (state == -1) {
    DPMSForceLevel(display_, DPMSModeOn);
    // Leave DPMS as the user had it before we switched the display off.
    if (enabled_by_us_) {
      DPMSDisable(display_);
      enabled_by_us_ = false;
    }
  } else {
    // Forcing a level needs DPMS enabled on the server.
    if (!enabled) {
      DPMSEnable(display_);
      enabled_by_us_ = true;
    }
    DPMSForceLevel(display_, state == 2 ? DPMSModeOff : DPMSModeStandby);
  }
  XFlush(display_);
  return true;
}

}  // namespace somnara::platform::x11
