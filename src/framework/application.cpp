#include "framework/application.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "framework/exceptions.h"
#include "framework/form.h"
#include "framework/timer.h"
#include "framework/win_control.h"
#include "platform/window_system.h"

namespace somnara::fw {

namespace {
constexpr int kTimerSlackDivisor = 10;

std::unique_ptr<Application>& Slot() {
  static std::unique_ptr<Application> app;
  return app;
}
}  // namespace

Application& App() {
  auto& slot = Slot();
  if (!slot) slot = std::make_unique<Application>();
  return *slot;
}

bool HasApp() {
  return bool(Slot());
}

void ResetApplication() {
  auto& slot = Slot();
  std::unique_ptr<Application> old = std::move(slot);
  old.reset();
}

const ClassInfo& Application::StaticClassInfo() {
  static const ClassInfo info("TApplication", &Component::StaticClassInfo());
  return info;
}

Application::Application() : Component(nullptr) {}

Application::~Application() {
  // Forms first, while the timers and the window system are still there for them.
  BeginDestruction();
}

void Application::Initialize(platform::WindowSystem* windows) {
  windows_ = windows;
}

int64_t Application::NowMs() const {
  return windows_ != nullptr ? windows_->GetClock().NowMs() : 0;
}

void Application::Run() {
  while (!terminated_) HandleMessage();
}

void Application::Terminate() {
  terminated_ = true;
  if (windows_ != nullptr) windows_->Wake();
}

void Application::HandleMessage() {
  if (terminated_) return;
  if (DispatchPosted()) return;
  if (PaintPending()) return;
  if (FireDueTimer()) return;
  if (windows_ == nullptr) {
    terminated_ = true;  // nothing could ever arrive
    return;
  }
  // A timer may tick up to a tenth of its period late, so that timers due close together
  // share one wake-up: on a machine meant to sleep every wake-up costs. Each next due time
  // still follows from the last one, so the lateness never adds up.
  int64_t deadline = -1;
  int64_t latest = -1;
  for (Timer* t : timers_) {
    if (deadline < 0 || t->DueMs() < deadline) deadline = t->DueMs();
    const int64_t late = t->DueMs() + t->Interval() / kTimerSlackDivisor;
    if (latest < 0 || late < latest) latest = late;
  }
  windows_->WaitForEvents(deadline, latest - deadline);
}

void Application::ProcessMessages() {
  while (!terminated_ && (DispatchPosted() || PaintPending() || FireDueTimer())) {
  }
}

bool Application::DispatchPosted() {
  if (queue_.empty()) return false;
  Posted p = queue_.front();
  queue_.pop_front();
  WinControl* target = WinControl::FromHandle(p.handle);
  if (target == nullptr) return true;  // its window is gone
  Guard([&] {
    for (auto hooks = hooks_; auto& [id, hook] : hooks) {
      if (hook(target, p.message)) return;
      if (WinControl::FromHandle(p.handle) == nullptr) return;
    }
    target->Perform(p.message);
  });
  return true;
}

bool Application::PaintPending() {
  if (paint_requests_.empty()) return false;
  Form* form = paint_requests_.front();
  paint_requests_.erase(paint_requests_.begin());
  Guard([&] { form->PaintNow(); });
  return true;
}

bool Application::FireDueTimer() {
  if (timers_.empty()) return false;
  int64_t now = NowMs();
  Timer* due = nullptr;
  for (Timer* t : timers_) {
    if (t->DueMs() > now) continue;
    // Among timers due at the same moment the one switched on first goes first: the list
    // keeps that order.
    if (due == nullptr || t->DueMs() < due->DueMs()) due = t;
  }
  if (due == nullptr) return false;
  Guard([&] { due->Tick(now); });
  return true;
}

void Application::PostMessage(WinControl* target, uint32_t msg, uintptr_t wparam, intptr_t lparam) {
  if (target == nullptr) return;
  Message m;
  m.msg = msg;
  m.wParam = wparam;
  m.lParam = lparam;
  queue_.push_back({target->Handle(), m});
}

int Application::AddMessageHook(MessageHook hook) {
  hooks_.emplace_back(next_hook_id_, std::move(hook));
  return next_hook_id_++;
}

void Application::RemoveMessageHook(int id) {
  hooks_.erase(
      std::remove_if(hooks_.begin(), hooks_.end(), [id](const auto& h) { return h.first == id; }),
      hooks_.end());
}

void Application::Guard(const std::function<void()>& fn) {
  try {
    fn();
  } catch (const std::exception& e) {
    HandleException(e);
  }
}

void Application::HandleException(const std::exception& error) {
  ShowException(error.what());
}

void Application::ShowException(const std::string& message) {
  if (OnException) {
    OnException(message);
    return;
  }
  if (error_box && windows_ != nullptr && !terminated_) {
    error_box(title_, message);
    return;
  }
  std::fprintf(stderr, "%s: %s\n", title_.c_str(), message.c_str());
}

void Application::AddForm(Form* form) {
  if (std::find(forms_.begin(), forms_.end(), form) == forms_.end()) forms_.push_back(form);
}

void Application::RemoveForm(Form* form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
  paint_requests_.erase(std::remove(paint_requests_.begin(), paint_requests_.end(), form),
                        paint_requests_.end());
  if (main_form_ == form) main_form_ = nullptr;
}

void Application::AddTimer(Timer* timer) {
  timers_.push_back(timer);
}

void Application::RemoveTimer(Timer* timer) {
  timers_.erase(std::remove(timers_.begin(), timers_.end(), timer), timers_.end());
}

void Application::RequestPaint(Form* form) {
  if (std::find(paint_requests_.begin(), paint_requests_.end(), form) == paint_requests_.end())
    paint_requests_.push_back(form);
}

}  // namespace somnara::fw
