#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/linux/system/real_clock.h"
#include "platform/window_system.h"

struct _XDisplay;
union _XEvent;

namespace somnara::platform {

class X11Window;

namespace x11 {
struct X11Atoms;
class DoubleClickDetector;
class MonitorPower;
class StackingOrder;
}  // namespace x11

// The desktop on an X server. Windows get no decorations from the window manager
// (the framework draws its own frame); with a window manager, stacking and focus
// are asked of it through the usual hints, and without one this class keeps them
// itself. All calls belong to the UI thread except Wake().
class X11WindowSystem : public WindowSystem {
 public:
  struct Options {
    // Off sends every picture as an ordinary image request.
    bool allow_shared_memory = true;
    // Off keeps a copy of every picture presented even where the window could read the
    // presenter's own buffer.
    bool lend_pixels = true;
    // The monitors in root-window coordinates, the first one primary, instead of what the
    // server's RandR says (for servers that cannot be told of monitors).
    std::vector<Rect> monitors;
  };

  // Opens the display named by DISPLAY. Without one, returns null and a one-line
  // message for the user in *error.
  static std::unique_ptr<X11WindowSystem> Open(std::string* error);
  static std::unique_ptr<X11WindowSystem> OpenDisplay(const std::string& name,
                                                      const Options& options, std::string* error);
  ~X11WindowSystem() override;
  X11WindowSystem(const X11WindowSystem&) = delete;
  X11WindowSystem& operator=(const X11WindowSystem&) = delete;

  std::unique_ptr<NativeWindow> CreateWindow(const NativeWindowOptions& options,
                                             NativeWindowListener* listener) override;
  // The primary monitor's size. The program's coordinates put the primary monitor's
  // top-left corner, as found at start, at 0, 0; the other monitors lie around it.
  Size ScreenSize() const override;
  Rect WorkArea() const override;
  Point CursorPos() const override;
  // Returns when a listener was handed an event, Wake() was called or the deadline
  // passed; server traffic that concerns no listener does not end the wait.
  void WaitForEvents(int64_t deadline_ms, int64_t slack_ms) override;
  void Wake() override;
  const Clock& GetClock() const override { return clock_; }
  void SetMonitorPower(int state) override;
  void Beep() override;

  // Sees every event from the server before the windows do, and keeps those it answers
  // true for; a helper window of ours (the clipboard's) is served this way. One at a time.
  void SetEventFilter(std::function<bool(_XEvent&)> filter) { event_filter_ = std::move(filter); }
  // `ready` runs on the UI thread, from WaitForEvents (which then returns), whenever `fd`
  // has data to read; reading it is the caller's. One at a time; -1 stops the watch.
  void WatchDescriptor(int fd, std::function<void()> ready);

  // For diagnostics and tests.
  _XDisplay* display() const { return display_; }
  bool HasWindowManager() const { return has_wm_; }
  // The primary monitor now, in root-window coordinates.
  Rect PrimaryMonitor() const;
  // Root-window coordinates of the program's 0, 0.
  Point Origin() const { return origin_; }
  bool SharedMemoryAvailable() const { return shm_available_; }
  uint64_t ProtocolErrorCount() const;
  // Opacity values sent to the server so far (pushes, not calls).
  uint64_t OpacityPushCount() const { return opacity_pushes_; }
  // Pictures sent to the server so far (presents and repairs), by every window system
  // of the process. With SOMNARA_PRESENT_COUNT=1 in the environment of the program (Open),
  // "presents: N" goes to standard error on SIGUSR1 and when the window system closes.
  static uint64_t PresentCount();
  // Whether the display is off as we asked it to be (until it is seen on again).
  bool DisplayOff() const { return display_off_; }

  // The least time between two opacity pushes: about one display frame.
  static constexpr int64_t kOpacityFrameMs = 16;

 private:
  friend class X11Window;

  X11WindowSystem(_XDisplay* display, const Options& options);
  bool Init(std::string* error);
  Rect AskPrimaryMonitor() const;

  // Window bookkeeping, used by X11Window.
  void Register(X11Window* window);
  void Unregister(X11Window* window);
  X11Window* Find(unsigned long xid) const;
  const x11::X11Atoms& atoms() const { return *atoms_; }
  unsigned long root() const { return root_; }
  void* visual() const { return visual_; }
  int depth() const { return depth_; }
  unsigned long colormap() const { return colormap_; }
  bool ShapeAvailable() const { return shape_available_; }
  bool allow_shared_memory() const { return options_.allow_shared_memory && shm_available_; }
  bool lend_pixels() const { return options_.lend_pixels; }
  x11::StackingOrder& stacking() { return *stacking_; }
  void NoteReparented() { has_wm_ = true; }

  // Stacking and focus where no window manager runs.
  void Restack();
  void FocusTopmost(const X11Window* except);
  bool IsOwnedBy(const X11Window* window, const X11Window* ancestor) const;
  bool EffectiveOnTop(const X11Window* window) const;
  void UpdateOwnedStates(const X11Window* owner);
  // The modal window whose owner chain holds `window`, or null.
  X11Window* ModalBlocking(const X11Window* window) const;
  void OwnerGone(X11Window* owner);

  // Whether a compositing manager shows our windows' opacity; without one we blend.
  bool Compositing() const { return compositing_; }
  bool DetectCompositor() const;
  // `window` shows something new in `area` (program coordinates): blended windows above it
  // show it through again.
  void ShownChanged(const X11Window* window, const Rect& area);
  // What our windows beneath `window` show in `area` (program coordinates), into `out`
  // (rows of area's width); black where none is.
  void ComposeBeneath(const X11Window* window, const Rect& area, uint32_t* out) const;

  void NotePresent();
  // The display went off or on: every window hears whether it can be seen, at the next wait.
  void SetDisplayOff(bool off);
  // Input or time may have switched the display back on; asked of the server.
  void CheckDisplayPower();
  void ReportSeen();

  // Opacity pushes are held back to one per display frame.
  void OpacityChanged() { opacity_dirty_ = true; }
  void NoteOpacityPush() { ++opacity_pushes_; }
  void FlushOpacity(bool force);
  int64_t NextOpacityFlushMs() const;

  void DispatchPending();
  void Dispatch(_XEvent& event);
  void HandleRootEvent(const _XEvent& event);
  void Deliver(unsigned long xid, const std::vector<InputEvent>& events);
  void RefreshWindowManager();
  void ActiveWindowChanged();
  bool DetectWindowManager() const;
  void SelectRootInput();
  void SendToWindowManager(unsigned long window, unsigned long message_type, long a0, long a1,
                           long a2, long a3);
  x11::DoubleClickDetector& double_click() { return *double_click_; }

  _XDisplay* display_;
  Options options_;
  std::string display_name_;
  RealClock clock_;
  std::unique_ptr<x11::X11Atoms> atoms_;
  std::unique_ptr<x11::DoubleClickDetector> double_click_;
  std::unique_ptr<x11::StackingOrder> stacking_;
  std::unique_ptr<x11::MonitorPower> monitor_power_;
  int screen_ = 0;
  unsigned long root_ = 0;
  Point origin_;
  void* visual_ = nullptr;  // Visual*
  int depth_ = 0;
  unsigned long colormap_ = 0;
  bool own_colormap_ = false;
  bool shm_available_ = false;
  bool shape_available_ = false;
  bool has_wm_ = false;
  // Another program's window has the focus: our stay-on-top windows are not on top.
  bool others_active_ = false;
  bool compositing_ = true;
  int wake_fd_ = -1;
  std::unordered_map<unsigned long, X11Window*> windows_;
  std::vector<X11Window*> creation_order_;
  uint64_t delivered_ = 0;
  bool opacity_dirty_ = false;
  int64_t last_opacity_flush_ms_ = -1000000;
  uint64_t opacity_pushes_ = 0;
  // The primary monitor as the server last said (a round trip each time otherwise, several
  // of them while the first window is made); forgotten when the server reports a change.
  mutable std::optional<Rect> primary_monitor_;
  int randr_event_base_ = -1;
  bool display_off_ = false;
  bool seen_changed_ = false;  // windows to tell about the display at the next wait
  int64_t next_power_check_ms_ = 0;
  bool reports_presents_ = false;
  std::function<bool(_XEvent&)> event_filter_;
  int watched_fd_ = -1;
  std::function<void()> watched_ready_;
};

}  // namespace somnara::platform
