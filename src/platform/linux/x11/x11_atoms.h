#pragma once

struct _XDisplay;

namespace somnara::platform::x11 {

// The atoms the backend uses, interned in one round trip.
struct X11Atoms {
  unsigned long wm_protocols = 0;
  unsigned long wm_delete_window = 0;
  unsigned long wm_s0 = 0;
  unsigned long motif_wm_hints = 0;
  unsigned long utf8_string = 0;
  unsigned long net_wm_name = 0;
  unsigned long net_wm_pid = 0;
  unsigned long net_wm_ping = 0;
  unsigned long net_wm_state = 0;
  unsigned long net_wm_state_above = 0;
  unsigned long net_wm_state_modal = 0;
  unsigned long net_wm_state_fullscreen = 0;
  unsigned long net_wm_window_type = 0;
  unsigned long net_wm_window_type_normal = 0;
  unsigned long net_wm_window_opacity = 0;
  unsigned long net_workarea = 0;
  unsigned long net_current_desktop = 0;
  unsigned long net_supporting_wm_check = 0;
  unsigned long net_active_window = 0;

  static X11Atoms Intern(_XDisplay* display);
};

}  // namespace somnara::platform::x11
