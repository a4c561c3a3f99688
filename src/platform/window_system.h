#pragma once

#include <cstdint>
#include <memory>

#include "platform/clock.h"
#include "platform/native_window.h"

namespace somnara::platform {

// The desktop as the framework sees it: windows, the screen, the wait for input.
class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  virtual std::unique_ptr<NativeWindow> CreateWindow(const NativeWindowOptions& options,
                                                     NativeWindowListener* listener) = 0;
  virtual Size ScreenSize() const = 0;
  virtual Rect WorkArea() const = 0;
  // The work area of the monitor nearest a window (outer bounds, screen coordinates). A
  // backend that knows one monitor answers WorkArea().
  virtual Rect WorkAreaNear(const Rect& window) const { return WorkArea(); }
  virtual Point CursorPos() const = 0;

  // Sleeps until input arrives or the clock reaches deadline_ms (-1: no deadline), then
  // hands whatever arrived to the windows' listeners. Returns at once if input is queued.
  // A backend may sleep up to slack_ms past the deadline, so that timers due close together
  // are served by one wake-up.
  virtual void WaitForEvents(int64_t deadline_ms, int64_t slack_ms) = 0;
  // Makes a WaitForEvents in progress return; callable from any thread.
  virtual void Wake() = 0;

  virtual const Clock& GetClock() const = 0;

  // state: -1 on, 1 low power, 2 off.
  virtual void SetMonitorPower(int state) = 0;
  virtual void Beep() = 0;
};

}  // namespace somnara::platform
