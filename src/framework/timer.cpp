#include "framework/timer.h"

#include <algorithm>

#include "framework/application.h"

namespace somnara::fw {

const ClassInfo& Timer::StaticClassInfo() {
  static const RegisteredClassInfo info = [] {
    ClassInfo i("TTimer", &Component::StaticClassInfo(), [](Component* o) { return new Timer(o); });
    i.Add(BoolProperty<Timer>("Enabled", &Timer::Enabled, &Timer::SetEnabled));
    i.Add(IntegerProperty<Timer>("Interval", &Timer::Interval, &Timer::SetInterval));
    i.Add(EventProperty<Timer>("OnTimer", &Timer::OnTimer));
    return i;
  }();
  return info;
}

Timer::Timer(Component* owner) : Component(owner) {
  Update();
}

Timer::~Timer() {
  BeginDestruction();
  if (active_ && HasApp()) App().RemoveTimer(this);
}

void Timer::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Update();
}

void Timer::SetInterval(int interval_ms) {
  if (interval_ == interval_ms) return;
  interval_ = interval_ms;
  Update();
}

void Timer::SetOnTimer(NotifyEvent handler) {
  OnTimer = std::move(handler);
  Update();
}

void Timer::Loaded() {
  Component::Loaded();
  Update();
}

// Switching a timer on, or changing its interval, starts a fresh period from now, as the
// desktop platform's timers do.
void Timer::Update() {
  if (!HasApp()) return;
  if (active_) {
    App().RemoveTimer(this);
    active_ = false;
  }
  // A description sets Enabled, Interval and OnTimer one by one; the period starts once
  // the whole description is in (Loaded), not at the first of them.
  if (enabled_ && interval_ > 0 && !IsLoading() && !IsDestroying()) {
    active_ = true;
    due_ms_ = App().NowMs() + interval_;
    App().AddTimer(this);
  }
}

void Timer::Tick(int64_t now_ms) {
  // The next due time follows from this one, not from now, so ticks do not drift; a loop
  // that comes late skips the missed periods and delivers one tick.
  due_ms_ += interval_;
  if (due_ms_ <= now_ms) due_ms_ += (now_ms - due_ms_) / interval_ * interval_ + interval_;
  if (OnTimer) OnTimer(this);
}

}  // namespace somnara::fw
