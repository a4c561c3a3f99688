#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/headless/headless_window.h"
#include "platform/headless/virtual_clock.h"
#include "platform/window_system.h"

namespace somnara::platform {

// Thrown when the program waits for input that no scripted step will ever bring: a test
// that forgot to close a window fails at once instead of hanging.
class HeadlessStall : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The desktop for tests: a virtual clock that jumps to the next due timer or scripted step
// whenever the program waits, windows in memory, and input injected by the test.
class HeadlessWindowSystem : public WindowSystem {
 public:
  HeadlessWindowSystem();
  ~HeadlessWindowSystem() override;

  std::unique_ptr<NativeWindow> CreateWindow(const NativeWindowOptions& options,
                                             NativeWindowListener* listener) override;
  Size ScreenSize() const override { return screen_; }
  Rect WorkArea() const override { return {0, 0, screen_.width, screen_.height - 30}; }
  Point CursorPos() const override { return cursor_; }
  void WaitForEvents(int64_t deadline_ms, int64_t slack_ms) override;
  void Wake() override {}
  const Clock& GetClock() const override { return clock_; }
  void SetMonitorPower(int state) override { monitor_power_requests_.push_back(state); }
  void Beep() override { ++beeps_; }

  // --- for tests ---
  VirtualClock& Time() { return clock_; }
  void SetScreenSize(Size size) { screen_ = size; }
  // Runs `step` when the virtual clock reaches `at_ms` (during a wait of the program).
  void At(int64_t at_ms, std::function<void()> step);
  // Runs `step` `delay_ms` after the current virtual time.
  void After(int64_t delay_ms, std::function<void()> step) {
    At(clock_.NowMs() + delay_ms, std::move(step));
  }
  // A wait without timers or steps would last forever: by default that throws HeadlessStall;
  // a test may instead give a step that ends the program.
  std::function<void()> on_stall;
  // The virtual time after which the next wait throws HeadlessStall (a runaway guard).
  int64_t time_limit_ms = 48LL * 3600 * 1000;
  // Whether a wait sleeps on to the end of the slack it is given, as a real backend does;
  // off, every wait ends at its deadline, so timers tick at their exact virtual instants.
  bool honour_slack = false;

  // Windows in creation order (destroyed ones are gone from the list).
  const std::vector<HeadlessWindow*>& Windows() const { return windows_; }
  // Visible windows, bottom first.
  std::vector<HeadlessWindow*> StackingOrder() const;
  HeadlessWindow* FindByTitle(const std::string& title) const;
  HeadlessWindow* TopWindow() const;
  HeadlessWindow* Focused() const { return focused_; }

  // Input, delivered at the program's next wait. Coordinates are screen coordinates;
  // the window under the point (topmost visible) receives it, after the window the pointer
  // left has heard kMouseLeave and this one kMouseEnter. Mouse events carry the buttons held.
  void MoveMouse(Point screen);
  void PressMouse(Point screen, MouseButton button = MouseButton::kLeft);
  void ReleaseMouse(Point screen, MouseButton button = MouseButton::kLeft);
  void Click(Point screen, MouseButton button = MouseButton::kLeft);
  void DoubleClick(Point screen);
  // Key to the focused window: a virtual-key number, with its character if it types one.
  void KeyDown(uint32_t key, unsigned modifiers = 0);
  void KeyUp(uint32_t key, unsigned modifiers = 0);
  void TypeChar(uint32_t ch, unsigned modifiers = 0);
  void PressKey(uint32_t key, uint32_t ch = 0, unsigned modifiers = 0);
  void RequestClose(HeadlessWindow* window);
  // The window becomes fully covered (or the display goes off), or can be seen again.
  void SetSeen(HeadlessWindow* window, bool visible);
  bool HasPendingInput() const { return !pending_.empty(); }

  const std::vector<int>& MonitorPowerRequests() const { return monitor_power_requests_; }
  int Beeps() const { return beeps_; }
  int Waits() const { return waits_; }

 private:
  friend class HeadlessWindow;
  struct Pending {
    HeadlessWindow* window;  // null: the window under the point, found at delivery
    InputEvent event;
  };
  struct Step {
    int64_t at_ms;
    uint64_t order;
    std::function<void()> run;
  };
  void Remove(HeadlessWindow* window);
  void BringToTop(HeadlessWindow* window);
  HeadlessWindow* WindowAt(Point screen) const;
  void Queue(HeadlessWindow* window, InputEvent event);
  void QueueMouse(InputEvent::Kind kind, Point screen, MouseButton button, unsigned modifiers);
  void QueueKey(InputEvent::Kind kind, uint32_t key, uint32_t ch, unsigned modifiers);
  void Deliver(Pending& pending);
  void CrossTo(HeadlessWindow* window, const InputEvent& cause);

  VirtualClock clock_;
  Size screen_{1024, 768};
  Point cursor_;
  MouseButtons held_;
  HeadlessWindow* pointer_window_ = nullptr;  // the window the pointer is over
  std::vector<HeadlessWindow*> windows_;
  std::vector<HeadlessWindow*> z_order_;  // bottom first
  HeadlessWindow* focused_ = nullptr;
  std::deque<Pending> pending_;
  std::vector<Step> steps_;
  uint64_t step_order_ = 0;
  std::vector<int> monitor_power_requests_;
  int beeps_ = 0;
  int waits_ = 0;
};

}  // namespace somnara::platform
