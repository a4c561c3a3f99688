#include "platform/linux/x11/x11_atoms.h"

#include <X11/Xlib.h>

#include <iterator>

namespace somnara::platform::x11 {

X11Atoms X11Atoms::Intern(Display* display) {
  X11Atoms a;
  struct Entry {
    const char* name;
    unsigned long* slot;
  } entries[] = {
      {"WM_PROTOCOLS", &a.wm_protocols},
      {"WM_DELETE_WINDOW", &a.wm_delete_window},
      {"WM_S0", &a.wm_s0},
      {"_MOTIF_WM_HINTS", &a.motif_wm_hints},
      {"UTF8_STRING", &a.utf8_string},
      {"_NET_WM_NAME", &a.net_wm_name},
      {"_NET_WM_PID", &a.net_wm_pid},
      {"_NET_WM_PING", &a.net_wm_ping},
      {"_NET_WM_STATE", &a.net_wm_state},
      {"_NET_WM_STATE_ABOVE", &a.net_wm_state_above},
      {"_NET_WM_STATE_MODAL", &a.net_wm_state_modal},
      {"_NET_WM_STATE_FULLSCREEN", &a.net_wm_state_fullscreen},
      {"_NET_WM_WINDOW_TYPE", &a.net_wm_window_type},
      {"_NET_WM_WINDOW_TYPE_NORMAL", &a.net_wm_window_type_normal},
      {"_NET_WM_WINDOW_OPACITY", &a.net_wm_window_opacity},
      {"_NET_WORKAREA", &a.net_workarea},
      {"_NET_CURRENT_DESKTOP", &a.net_current_desktop},
      {"_NET_SUPPORTING_WM_CHECK", &a.net_supporting_wm_check},
      {"_NET_ACTIVE_WINDOW", &a.net_active_window},
  };
  constexpr int kCount = int(std::size(entries));
  char* names[kCount];
  Atom atoms[kCount] = {};
  for (int i = 0; i < kCount; ++i) names[i] = const_cast<char*>(entries[i].name);
  XInternAtoms(display, names, kCount, False, atoms);
  for (int i = 0; i < kCount; ++i) *entries[i].slot = atoms[i];
  return a;
}

}  // namespace somnara::platform::x11
