#pragma once

#include <cstdint>

#include "framework/component.h"
#include "framework/events.h"

namespace somnara::fw {

// A repeating timer of the UI thread. It ticks while Enabled with an Interval above 0,
// whatever happens to the window that owns it (hidden and closed windows' timers go on).
class Timer : public Component {
 public:
  explicit Timer(Component* owner);
  ~Timer() override;
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  int Interval() const { return interval_; }
  void SetInterval(int interval_ms);
  NotifyEvent OnTimer;
  void SetOnTimer(NotifyEvent handler);

  void Loaded() override;

  // For the message loop.
  bool Active() const { return active_; }
  int64_t DueMs() const { return due_ms_; }
  // Called by the loop when due: advances the due time and runs the handler.
  void Tick(int64_t now_ms);

 private:
  void Update();

  bool enabled_ = true;
  int interval_ = 1000;
  bool active_ = false;
  int64_t due_ms_ = 0;
};

}  // namespace somnara::fw
