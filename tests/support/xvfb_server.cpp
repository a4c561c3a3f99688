#include "support/xvfb_server.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <unistd.h>

namespace somnara::testing {
namespace {

constexpr int kStartTimeoutMs = 10000;

// Maps a scratch window, mapping it again now and then, until the window manager
// reparents it into a frame.
bool ManagesWindows(Display* display, ChildProcess* wm) {
  const Window root = DefaultRootWindow(display);
  const Window window = XCreateSimpleWindow(display, root, 0, 0, 10, 10, 0, 0, 0);
  bool managed = false;
  for (int waited = 0; waited < kStartTimeoutMs && !managed; waited += 10) {
    if (waited % 250 == 0) {
      XUnmapWindow(display, window);
      XMapWindow(display, window);
    }
    XSync(display, False);
    Window r = None, parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, window, &r, &parent, &children, &count)) managed = parent != root;
    if (children) XFree(children);
    if (!managed) {
      if (wm->Poll()) break;
      SleepMs(10);
    }
  }
  XDestroyWindow(display, window);
  XSync(display, False);
  return managed;
}

}  // namespace

bool XvfbServer::Start(std::string* error) {
  int fds[2];
  if (pipe(fds) != 0) {
    *error = "pipe failed";
    return false;
  }
  const std::string screen = std::to_string(kWidth) + "x" + std::to_string(kHeight) + "x24";
  const bool started = process_.Start({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
                                       screen, "-nolisten", "tcp", "-noreset"},
                                      "", fds[1]);
  close(fds[1]);
  if (!started) {
    close(fds[0]);
    *error = "cannot start Xvfb";
    return false;
  }
  std::string number;
  const int64_t end = MonotonicMs() + kStartTimeoutMs;
  for (;;) {
    const int64_t left = end - MonotonicMs();
    if (left <= 0) break;
    pollfd p{fds[0], POLLIN, 0};
    if (poll(&p, 1, int(left)) <= 0) break;
    char c;
    if (read(fds[0], &c, 1) <= 0) break;  // Xvfb died before naming a display
    if (c == '\n') {
      display_ = ":" + number;
      close(fds[0]);
      return true;
    }
    number += c;
  }
  close(fds[0]);
  process_.Stop();
  *error = "Xvfb did not report a display (is the xvfb package installed?)";
  return false;
}

bool WindowManager::Start(const std::string& display, std::string* error) {
  if (!process_.Start({"openbox", "--sm-disable"}, display)) {
    *error = "cannot start openbox";
    return false;
  }
  Display* probe = XOpenDisplay(display.c_str());
  if (!probe) {
    *error = "cannot reach " + display;
    return false;
  }
  const Atom check = XInternAtom(probe, "_NET_SUPPORTING_WM_CHECK", False);
  bool ready = false;
  for (int waited = 0; waited < kStartTimeoutMs && !ready; waited += 10) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(probe, DefaultRootWindow(probe), check, 0, 1, False, XA_WINDOW, &type,
                           &format, &count, &after, &data) == Success &&
        count == 1)
      ready = true;
    if (data) XFree(data);
    if (!ready) {
      if (process_.Poll()) break;  // openbox gave up
      SleepMs(10);
    }
  }
  // The check window appears before openbox has finished starting, and a window
  // mapped in that gap can stay unmanaged: wait until it really manages one.
  if (ready) ready = ManagesWindows(probe, &process_);
  XCloseDisplay(probe);
  if (!ready) *error = "openbox did not come up (is the openbox package installed?)";
  return ready;
}

}  // namespace somnara::testing
