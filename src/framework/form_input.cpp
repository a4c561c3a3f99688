// Input routing of a form: native events become window messages. WM_NCHITTEST decides
// between the frame's messages and the client's; client messages go to the deepest windowed
// control under the pointer, or to the control holding the capture; keys go to the focused
// control. Also the pointer's enter and leave, and the focus with its tab order.
#include <algorithm>
#include <functional>

#include "framework/application.h"
#include "framework/form.h"

namespace somnara::fw {
namespace {

struct MouseMessages {
  uint32_t client;
  uint32_t non_client;
};

// A double click of the right or middle button is just another press.
MouseMessages MessagesFor(platform::InputEvent::Kind kind, platform::MouseButton button) {
  using Kind = platform::InputEvent::Kind;
  using platform::MouseButton;
  if (kind == Kind::kMouseMove) return {WM_MOUSEMOVE, WM_NCMOUSEMOVE};
  const bool up = kind == Kind::kMouseUp;
  switch (button) {
    case MouseButton::kLeft:
      if (up) return {WM_LBUTTONUP, WM_NCLBUTTONUP};
      if (kind == Kind::kDoubleClick) return {WM_LBUTTONDBLCLK, WM_NCLBUTTONDBLCLK};
      return {WM_LBUTTONDOWN, WM_NCLBUTTONDOWN};
    case MouseButton::kRight:
      if (up) return {WM_RBUTTONUP, WM_NCRBUTTONUP};
      return {WM_RBUTTONDOWN, WM_NCRBUTTONDOWN};
    case MouseButton::kMiddle:
      if (up) return {WM_MBUTTONUP, WM_NCMBUTTONUP};
      return {WM_MBUTTONDOWN, WM_NCMBUTTONDOWN};
  }
  return {WM_MOUSEMOVE, WM_NCMOUSEMOVE};
}

uintptr_t MouseKeys(const platform::InputEvent& e) {
  uintptr_t keys = 0;
  if (e.held.left) keys |= MK_LBUTTON;
  if (e.held.right) keys |= MK_RBUTTON;
  if (e.held.middle) keys |= MK_MBUTTON;
  if (e.modifiers & platform::kShift) keys |= MK_SHIFT;
  if (e.modifiers & platform::kCtrl) keys |= MK_CONTROL;
  return keys;
}

// Whether `control` is `gone` or lies inside it.
bool WithinControl(const Control* control, const Component* gone) {
  for (const Control* c = control; c != nullptr; c = c->Parent())
    if (c == gone) return true;
  return false;
}

}  // namespace

void Form::OnNativeEvent(const platform::InputEvent& e) {
  using Kind = platform::InputEvent::Kind;
  switch (e.kind) {
    case Kind::kMouseDown:
    case Kind::kMouseUp:
    case Kind::kMouseMove:
    case Kind::kDoubleClick:
    case Kind::kMouseLeave:
    case Kind::kMouseEnter:
      DeliverMouse(e);
      return;
    case Kind::kKeyDown:
    case Kind::kKeyUp:
    case Kind::kChar:
      DeliverKey(e);
      return;
    case Kind::kFocusIn:
      if (!InputBlocked()) Activate(true);
      return;
    case Kind::kFocusOut:
      return;
    case Kind::kCloseRequest:
      if (!InputBlocked()) App().PostMessage(this, WM_SYSCOMMAND, SC_CLOSE);
      return;
    case Kind::kExpose:
      if (native_) native_->Present(pixels_.View(), e.area.Intersect({0, 0, Width(), Height()}));
      return;
    case Kind::kVisibility:
      SetSeen(e.visible);
      return;
    case Kind::kMoved:
      if (e.area.left != bounds_.left || e.area.top != bounds_.top) {
        bounds_ = Rect::FromSize(e.area.left, e.area.top, bounds_.Width(), bounds_.Height());
        Perform(WM_MOVE);
      }
      return;
  }
}

void Form::DeliverMouse(const platform::InputEvent& e) {
  using Kind = platform::InputEvent::Kind;
  // Leaving resets what the pointer was over even in a window that takes no input now, so
  // nothing stays lit once the pointer is elsewhere.
  if (e.kind == Kind::kMouseLeave) {
    LeaveNonClient();
    SetHover(nullptr);
    return;
  }
  if (e.kind == Kind::kMouseEnter || InputBlocked()) return;
  const MouseMessages messages = MessagesFor(e.kind, e.button);
  const uintptr_t keys = MouseKeys(e);
  if ((e.kind == Kind::kMouseDown || e.kind == Kind::kDoubleClick) && ActiveForm() != this)
    Activate(true);

  if (capture_ != nullptr) {
    WinControl* target =
        capture_->IsWindowed() ? static_cast<WinControl*>(capture_) : capture_->Parent();
    if (target != nullptr) {
      Point p = target->ScreenToClient(e.screen);
      App().PostMessage(target, messages.client, keys, MakeLParam(p.x, p.y));
    }
    return;
  }
  intptr_t hit = Perform(WM_NCHITTEST, 0, MakeLParam(e.screen.x, e.screen.y));
  if (hit != HTCLIENT) {
    SetHover(nullptr);
    pointer_in_non_client_ = true;
    App().PostMessage(this, messages.non_client, uintptr_t(hit),
                      MakeLParam(e.screen.x, e.screen.y));
    return;
  }
  LeaveNonClient();
  // The deepest windowed control under the pointer takes the message; a disabled one
  // swallows it.
  WinControl* target = this;
  Control* deepest = this;
  Point p{e.pos.x - client_in_window_.left, e.pos.y - client_in_window_.top};
  while (true) {
    Control* c = target->ControlAtPos(p, true, true);
    if (c == nullptr) break;
    deepest = c;
    if (!c->IsWindowed()) break;
    p = {p.x - c->Left(), p.y - c->Top()};
    target = static_cast<WinControl*>(c);
  }
  SetHover(deepest);
  for (Control* c = target; c != nullptr; c = c->Parent())
    if (!c->Enabled()) return;
  App().PostMessage(target, messages.client, keys, MakeLParam(p.x, p.y));
}

void Form::SetHover(Control* control) {
  if (control == hover_) return;
  if (hover_ != nullptr) hover_->Perform(CM_MOUSELEAVE);
  hover_ = control;
  if (hover_ != nullptr) hover_->Perform(CM_MOUSEENTER);
}

// Posted behind the frame's last mouse message, so that a frame lighting its buttons on
// WM_NCMOUSEMOVE sees the leave after it.
void Form::LeaveNonClient() {
  if (!pointer_in_non_client_) return;
  pointer_in_non_client_ = false;
  App().PostMessage(this, WM_NCMOUSELEAVE);
}

void Form::SetCaptureControl(Control* control) {
  capture_ = control;
  if (native_) native_->CaptureMouse(capture_ != nullptr);
}

void Form::ForgetControl(const Component* control) {
  if (WithinControl(capture_, control)) capture_ = nullptr;
  if (WithinControl(hover_, control)) hover_ = nullptr;
  if (WithinControl(active_control_, control)) active_control_ = nullptr;
}

void Form::DeliverKey(const platform::InputEvent& e) {
  using Kind = platform::InputEvent::Kind;
  if (InputBlocked()) return;
  WinControl* target = KeyTarget();
  unsigned shift = (e.modifiers & platform::kShift ? unsigned(ssShift) : 0u) |
                   (e.modifiers & platform::kCtrl ? unsigned(ssCtrl) : 0u) |
                   (e.modifiers & platform::kAlt ? unsigned(ssAlt) : 0u);
  bool alt = (e.modifiers & platform::kAlt) != 0;
  switch (e.kind) {
    case Kind::kKeyDown:
      App().PostMessage(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, e.key, intptr_t(shift));
      break;
    case Kind::kKeyUp:
      App().PostMessage(target, alt ? WM_SYSKEYUP : WM_KEYUP, e.key, intptr_t(shift));
      break;
    case Kind::kChar:
      App().PostMessage(target, alt ? WM_SYSCHAR : WM_CHAR, e.ch, intptr_t(shift));
      break;
    default:
      break;
  }
}

WinControl* Form::KeyTarget() {
  if (active_control_ != nullptr && active_control_->IsWindowed())
    return static_cast<WinControl*>(active_control_);
  return this;
}

void Form::SetActiveControl(WinControl* control) {
  FocusControl(control);
}

void Form::FocusControl(WinControl* control) {
  if (control == active_control_) return;
  WinControl* old = static_cast<WinControl*>(active_control_);
  active_control_ = control;
  if (old != nullptr) old->Perform(WM_KILLFOCUS);
  if (control != nullptr) control->Perform(WM_SETFOCUS);
  Message changed{CM_FOCUSCHANGED, 0, 0, 0};
  Broadcast(changed);
}

void Form::SelectNext(WinControl* current, bool forward) {
  std::vector<WinControl*> list = TabList();
  std::vector<WinControl*> candidates;
  for (WinControl* w : list)
    if (w->TabStop() && w->CanFocus()) candidates.push_back(w);
  if (candidates.empty()) return;
  auto it = std::find(candidates.begin(), candidates.end(), current);
  size_t index;
  if (it == candidates.end())
    index = forward ? 0 : candidates.size() - 1;
  else if (forward)
    index = (size_t(it - candidates.begin()) + 1) % candidates.size();
  else
    index = (size_t(it - candidates.begin()) + candidates.size() - 1) % candidates.size();
  FocusControl(candidates[index]);
}

// Tab moves the focus; the default and cancel buttons answer Enter and Escape.
void Form::HandleDialogKey(Message& m) {
  uint32_t key = uint32_t(m.wParam);
  if (key == VK_TAB) {
    SelectNext(active_control_ != nullptr ? static_cast<WinControl*>(active_control_) : this,
               (unsigned(m.lParam) & ssShift) == 0);
    m.result = 1;
    return;
  }
  Message probe = m;
  probe.result = 0;
  for (WinControl* w : TabList()) {
    if (!w->Visible() || !w->Enabled()) continue;
    w->Perform(probe);
    if (probe.result != 0) {
      m.result = 1;
      return;
    }
  }
}

// An Alt+letter goes to the first control, in creation order at every depth, that claims it.
void Form::HandleDialogChar(Message& m) {
  Message probe = m;
  probe.result = 0;
  std::vector<Control*> all;
  std::function<void(WinControl*)> collect = [&](WinControl* w) {
    for (Control* c : w->Controls()) {
      all.push_back(c);
      if (auto* inner = dynamic_cast<WinControl*>(c)) collect(inner);
    }
  };
  collect(this);
  for (Control* c : all) {
    if (!c->Visible() || !c->Enabled()) continue;
    c->Perform(probe);
    if (probe.result != 0) {
      m.result = 1;
      return;
    }
  }
}

}  // namespace somnara::fw
