#include "platform/headless/headless_window_system.h"

#include <algorithm>

namespace somnara::platform {

HeadlessWindowSystem::HeadlessWindowSystem() = default;

HeadlessWindowSystem::~HeadlessWindowSystem() {
  for (HeadlessWindow* w : windows_) w->listener_ = nullptr;
}

std::unique_ptr<NativeWindow> HeadlessWindowSystem::CreateWindow(const NativeWindowOptions& options,
                                                                 NativeWindowListener* listener) {
  auto window = std::make_unique<HeadlessWindow>(*this, options, listener);
  windows_.push_back(window.get());
  return window;
}

void HeadlessWindowSystem::Remove(HeadlessWindow* window) {
  windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
  z_order_.erase(std::remove(z_order_.begin(), z_order_.end(), window), z_order_.end());
  if (focused_ == window) focused_ = nullptr;
  if (pointer_window_ == window) pointer_window_ = nullptr;
  pending_.erase(std::remove_if(pending_.begin(), pending_.end(),
                                [window](const Pending& p) { return p.window == window; }),
                 pending_.end());
}

void HeadlessWindowSystem::BringToTop(HeadlessWindow* window) {
  z_order_.erase(std::remove(z_order_.begin(), z_order_.end(), window), z_order_.end());
  z_order_.push_back(window);
}

std::vector<HeadlessWindow*> HeadlessWindowSystem::StackingOrder() const {
  std::vector<HeadlessWindow*> out;
  for (HeadlessWindow* w : z_order_)
    if (w->visible_) out.push_back(w);
  return out;
}

HeadlessWindow* HeadlessWindowSystem::FindByTitle(const std::string& title) const {
  for (HeadlessWindow* w : windows_)
    if (w->title_ == title) return w;
  return nullptr;
}

HeadlessWindow* HeadlessWindowSystem::TopWindow() const {
  auto order = StackingOrder();
  return order.empty() ? nullptr : order.back();
}

HeadlessWindow* HeadlessWindowSystem::WindowAt(Point screen) const {
  for (auto it = z_order_.rbegin(); it != z_order_.rend(); ++it) {
    HeadlessWindow* w = *it;
    if (!w->visible_ || !w->bounds_.Contains(screen)) continue;
    Point local{screen.x - w->bounds_.left, screen.y - w->bounds_.top};
    if (!w->region_.IsEmpty() && !w->region_.Contains(local)) continue;
    return w;
  }
  return nullptr;
}

void HeadlessWindowSystem::At(int64_t at_ms, std::function<void()> step) {
  steps_.push_back({at_ms, step_order_++, std::move(step)});
}

void HeadlessWindowSystem::Queue(HeadlessWindow* window, InputEvent event) {
  pending_.push_back({window, event});
}

void HeadlessWindowSystem::QueueMouse(InputEvent::Kind kind, Point screen, MouseButton button,
                                      unsigned modifiers) {
  InputEvent e;
  e.kind = kind;
  e.screen = screen;
  e.button = button;
  e.modifiers = modifiers;
  Queue(nullptr, e);
}

void HeadlessWindowSystem::QueueKey(InputEvent::Kind kind, uint32_t key, uint32_t ch,
                                    unsigned modifiers) {
  InputEvent e;
  e.kind = kind;
  e.key = key;
  e.ch = ch;
  e.modifiers = modifiers;
  Queue(nullptr, e);
}

void HeadlessWindowSystem::MoveMouse(Point screen) {
  QueueMouse(InputEvent::Kind::kMouseMove, screen, MouseButton::kLeft, 0);
}

void HeadlessWindowSystem::PressMouse(Point screen, MouseButton button) {
  QueueMouse(InputEvent::Kind::kMouseDown, screen, button, 0);
}

void HeadlessWindowSystem::ReleaseMouse(Point screen, MouseButton button) {
  QueueMouse(InputEvent::Kind::kMouseUp, screen, button, 0);
}

void HeadlessWindowSystem::Click(Point screen, MouseButton button) {
  MoveMouse(screen);
  PressMouse(screen, button);
  ReleaseMouse(screen, button);
}

// The second press of a double click arrives as the double click itself, then its release.
void HeadlessWindowSystem::DoubleClick(Point screen) {
  Click(screen);
  QueueMouse(InputEvent::Kind::kDoubleClick, screen, MouseButton::kLeft, 0);
  ReleaseMouse(screen);
}

void HeadlessWindowSystem::KeyDown(uint32_t key, unsigned modifiers) {
  QueueKey(InputEvent::Kind::kKeyDown, key, 0, modifiers);
}

void HeadlessWindowSystem::KeyUp(uint32_t key, unsigned modifiers) {
  QueueKey(InputEvent::Kind::kKeyUp, key, 0, modifiers);
}

void HeadlessWindowSystem::TypeChar(uint32_t ch, unsigned modifiers) {
  QueueKey(InputEvent::Kind::kChar, 0, ch, modifiers);
}

void HeadlessWindowSystem::PressKey(uint32_t key, uint32_t ch, unsigned modifiers) {
  KeyDown(key, modifiers);
  if (ch != 0) TypeChar(ch, modifiers);
  KeyUp(key, modifiers);
}

void HeadlessWindowSystem::RequestClose(HeadlessWindow* window) {
  InputEvent e;
  e.kind = InputEvent::Kind::kCloseRequest;
  Queue(window, e);
}

void HeadlessWindowSystem::SetSeen(HeadlessWindow* window, bool visible) {
  InputEvent e;
  e.kind = InputEvent::Kind::kVisibility;
  e.visible = visible;
  Queue(window, e);
}

// The window the pointer left hears it went, the one it entered that it came, before the
// event itself; a captured pointer crosses nothing.
void HeadlessWindowSystem::CrossTo(HeadlessWindow* window, const InputEvent& cause) {
  if (window == pointer_window_) return;
  auto tell = [&](HeadlessWindow* w, InputEvent::Kind kind) {
    InputEvent crossing;
    crossing.kind = kind;
    crossing.screen = cause.screen;
    crossing.pos = {cause.screen.x - w->bounds_.left, cause.screen.y - w->bounds_.top};
    crossing.held = cause.held;
    if (w->listener_) w->listener_->OnNativeEvent(crossing);
  };
  HeadlessWindow* left = pointer_window_;
  pointer_window_ = window;
  if (left != nullptr) tell(left, InputEvent::Kind::kMouseLeave);
  // The listener may have closed the entered window while hearing the leave.
  if (pointer_window_ != window || window == nullptr) return;
  tell(window, InputEvent::Kind::kMouseEnter);
}

void HeadlessWindowSystem::Deliver(Pending& p) {
  InputEvent& e = p.event;
  bool is_key = e.kind == InputEvent::Kind::kKeyDown || e.kind == InputEvent::Kind::kKeyUp ||
                e.kind == InputEvent::Kind::kChar;
  bool is_mouse = e.kind == InputEvent::Kind::kMouseMove ||
                  e.kind == InputEvent::Kind::kMouseDown || e.kind == InputEvent::Kind::kMouseUp ||
                  e.kind == InputEvent::Kind::kDoubleClick;
  HeadlessWindow* w = p.window;
  if (is_mouse) {
    cursor_ = e.screen;
    if (e.kind == InputEvent::Kind::kMouseDown || e.kind == InputEvent::Kind::kDoubleClick)
      held_ = held_.With(e.button, true);
    if (e.kind == InputEvent::Kind::kMouseUp) held_ = held_.With(e.button, false);
    e.held = held_;
    // A window being dragged follows the pointer until the button comes up.
    for (HeadlessWindow* d : windows_) {
      if (!d->dragging_) continue;
      if (e.kind == InputEvent::Kind::kMouseMove) {
        Rect b =
            d->drag_bounds_.Offset(e.screen.x - d->drag_start_.x, e.screen.y - d->drag_start_.y);
        d->bounds_ = b;
        InputEvent moved;
        moved.kind = InputEvent::Kind::kMoved;
        moved.area = b;
        if (d->listener_) d->listener_->OnNativeEvent(moved);
      } else if (e.kind == InputEvent::Kind::kMouseUp) {
        d->dragging_ = false;
      }
      return;
    }
    if (w == nullptr) {
      // A window with the mouse captured gets every mouse event.
      for (HeadlessWindow* c : windows_)
        if (c->captured_ && c->visible_) w = c;
    }
    if (w == nullptr) {
      w = WindowAt(e.screen);
      CrossTo(w, e);
      if (w != nullptr && w != pointer_window_) return;  // its listener went away
    }
  } else if (is_key && w == nullptr) {
    w = focused_;
  }
  if (w == nullptr || w->listener_ == nullptr) return;
  e.pos = {e.screen.x - w->bounds_.left, e.screen.y - w->bounds_.top};
  if (e.kind == InputEvent::Kind::kMouseDown && focused_ != w) {
    focused_ = w;
    InputEvent focus;
    focus.kind = InputEvent::Kind::kFocusIn;
    w->listener_->OnNativeEvent(focus);
    if (w->listener_ == nullptr) return;
  }
  w->listener_->OnNativeEvent(e);
}

void HeadlessWindowSystem::WaitForEvents(int64_t deadline_ms, int64_t slack_ms) {
  ++waits_;
  if (honour_slack && deadline_ms >= 0) deadline_ms += std::max<int64_t>(slack_ms, 0);
  if (!pending_.empty()) {
    Pending p = pending_.front();
    pending_.pop_front();
    Deliver(p);
    return;
  }
  int64_t target = deadline_ms;
  for (const Step& s : steps_)
    if (target < 0 || s.at_ms < target) target = s.at_ms;
  if (target < 0) {
    if (on_stall) {
      auto stall = on_stall;
      stall();
      return;
    }
    throw HeadlessStall("the program waits for input that will never come (virtual time " +
                        std::to_string(clock_.NowMs()) + " ms)");
  }
  if (target > time_limit_ms)
    throw HeadlessStall("virtual time limit reached at " + std::to_string(clock_.NowMs()) + " ms");
  clock_.AdvanceTo(target);
  // Steps that are due run in the order they were given; a step may add new steps.
  while (true) {
    auto due = std::min_element(steps_.begin(), steps_.end(), [](const Step& a, const Step& b) {
      return a.at_ms != b.at_ms ? a.at_ms < b.at_ms : a.order < b.order;
    });
    if (due == steps_.end() || due->at_ms > clock_.NowMs()) break;
    std::function<void()> run = std::move(due->run);
    steps_.erase(due);
    run();
  }
}

}  // namespace somnara::platform
