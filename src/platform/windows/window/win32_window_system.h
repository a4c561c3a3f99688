#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/window_system.h"
#include "platform/windows/window/win32_clock.h"

struct HWND__;
struct HMONITOR__;

namespace somnara::platform {

class Win32Window;

// The Windows desktop: one top-level window per NativeWindow, the thread's message queue
// as the wait for input. Everything a window procedure hears is queued and handed to the
// listeners only from WaitForEvents, never from inside one of our own calls (SetWindowPos,
// ShowWindow and SetFocus send messages at once), so the framework sees input in one
// place as on every other desktop. All calls belong to the UI thread except Wake().
class Win32WindowSystem : public WindowSystem {
 public:
  // Registers the window classes and makes the helper window. Null, with a one-line
  // reason for the user, when the desktop refuses.
  static std::unique_ptr<Win32WindowSystem> Open(std::string* error);
  ~Win32WindowSystem() override;
  Win32WindowSystem(const Win32WindowSystem&) = delete;
  Win32WindowSystem& operator=(const Win32WindowSystem&) = delete;

  std::unique_ptr<NativeWindow> CreateWindow(const NativeWindowOptions& options,
                                             NativeWindowListener* listener) override;
  // The primary monitor's size; its top-left corner is 0, 0 on this desktop already.
  Size ScreenSize() const override;
  Rect WorkArea() const override;
  Rect WorkAreaNear(const Rect& window) const override;
  Point CursorPos() const override;
  // Returns when a listener was handed an event, Wake() was called, the ending handler ran
  // or the deadline passed; messages that concern no listener do not end the wait.
  void WaitForEvents(int64_t deadline_ms, int64_t slack_ms) override;
  void Wake() override;
  const Clock& GetClock() const override { return clock_; }
  // Through the default window procedure of our helper window, as the desktop does it.
  void SetMonitorPower(int state) override;
  void Beep() override;

  // `ending` runs on the UI thread, from WaitForEvents (which then returns), when the
  // session ends or the console asks the program to close (Ctrl+C, its window closed).
  void SetEndingHandler(std::function<void()> ending) { ending_ = std::move(ending); }
  // Why the run was asked to end, for the program's last note; empty while it was not.
  std::string EndingReason() const;

  // A hidden top-level window of ours: it owns the clipboard's data and hears the
  // session's end.
  HWND__* helper() const { return helper_; }

 private:
  friend class Win32Window;

  Win32WindowSystem() = default;
  bool Init(std::string* error);

  // Window bookkeeping, used by Win32Window.
  void Register(Win32Window* window);
  void Unregister(Win32Window* window);
  Win32Window* Find(HWND__* hwnd) const;
  const std::vector<Win32Window*>& windows() const { return creation_order_; }
  // Whether `window` or a window in its owner chain stays on top.
  bool EffectiveOnTop(const Win32Window* window) const;
  bool IsOwnedBy(const Win32Window* window, const Win32Window* ancestor) const;
  // Applies the stay-on-top state to `owner` and every window it owns.
  void UpdateOnTop(const Win32Window* owner);
  // Another program was activated (or ours again): our stay-on-top windows step aside.
  void OthersActive(bool others);
  bool others_active() const { return others_active_; }

  // Called from the window procedures; delivered from WaitForEvents.
  void Queue(HWND__* hwnd, const InputEvent& event);
  void DeliverQueued();

  Win32Clock clock_;
  HWND__* helper_ = nullptr;
  void* wake_event_ = nullptr;  // HANDLE
  bool timer_period_set_ = false;
  bool monitor_off_ = false;
  bool others_active_ = false;
  std::unordered_map<HWND__*, Win32Window*> by_handle_;
  std::vector<Win32Window*> creation_order_;
  std::deque<std::pair<HWND__*, InputEvent>> queued_;
  uint64_t delivered_ = 0;
  std::function<void()> ending_;
};

}  // namespace somnara::platform
