#include "framework/controls/button.h"

#include "framework/controls/accelerator.h"
#include "framework/controls/draw_helpers.h"
#include "framework/form.h"
#include "framework/graphics/canvas.h"

namespace somnara::fw {

const ClassInfo& Button::StaticClassInfo() {
  static const RegisteredClassInfo info = [] {
    ClassInfo i("TButton", &WinControl::StaticClassInfo(),
                [](Component* o) { return new Button(o); });
    i.Add(BoolProperty<Button>("Default", &Button::Default, &Button::SetDefault));
    i.Add(BoolProperty<Button>("Cancel", &Button::Cancel, &Button::SetCancel));
    i.Add(IntegerProperty<Button>("ModalResult", &Button::ModalResult, &Button::SetModalResult));
    return i;
  }();
  return info;
}

Button::Button(Component* owner) : WinControl(owner) {
  SetTabStop(true);
  SetBounds(0, 0, 75, 25);
}

Button::~Button() {
  BeginDestruction();
}

void Button::SetDefault(bool on) {
  if (default_ == on) return;
  default_ = on;
  Invalidate();
}

void Button::Click() {
  if (Form* form = ParentForm()) form->SetModalResult(modal_result_);
  WinControl::Click();
}

bool Button::Pressed() const {
  return space_down_ || (mouse_down_ && pointer_inside_);
}

bool Button::ActsOnEnter() const {
  if (Focused()) return true;
  if (!default_) return false;
  Form* form = ParentForm();
  return form == nullptr || dynamic_cast<Button*>(form->ActiveControl()) == nullptr;
}

void Button::WndProc(Message& m) {
  switch (m.msg) {
    case WM_GETDLGCODE:
      m.result = 0;
      return;
    case CM_DIALOGKEY: {
      uint32_t key = uint32_t(m.wParam);
      unsigned shift = unsigned(m.lParam) & (ssShift | ssAlt | ssCtrl);
      if (shift == 0 && CanFocus() &&
          ((key == VK_RETURN && ActsOnEnter()) || (key == VK_ESCAPE && cancel_))) {
        Click();
        m.result = 1;
      }
      return;
    }
    case CM_DIALOGCHAR:
      if (IsAccel(char32_t(m.wParam), Caption()) && CanFocus()) {
        Click();
        m.result = 1;
      }
      return;
    default:
      break;
  }
  WinControl::WndProc(m);
}

void Button::KeyDown(uint32_t& key, unsigned shift) {
  WinControl::KeyDown(key, shift);
  if (key == VK_SPACE && !space_down_) {
    space_down_ = true;
    Invalidate();
  }
}

void Button::KeyUp(uint32_t& key, unsigned shift) {
  WinControl::KeyUp(key, shift);
  if (key == VK_SPACE && space_down_) {
    space_down_ = false;
    Invalidate();
    Click();
  }
}

void Button::DoExit() {
  space_down_ = false;
  WinControl::DoExit();
}

void Button::MouseDown(MouseButton button, unsigned shift, int x, int y) {
  if (button == MouseButton::kLeft) {
    pointer_inside_ = true;
    if (TabStop() && CanFocus()) SetFocus();
    Invalidate();
  }
  WinControl::MouseDown(button, shift, x, y);
}

void Button::MouseMove(unsigned shift, int x, int y) {
  bool inside = ClientRect().Contains({x, y});
  if (inside != pointer_inside_) {
    pointer_inside_ = inside;
    if (mouse_down_) Invalidate();
  }
  WinControl::MouseMove(shift, x, y);
}

void Button::MouseUp(MouseButton button, unsigned shift, int x, int y) {
  Invalidate();
  WinControl::MouseUp(button, shift, x, y);
}

void Button::Paint() {
  Canvas& c = GetCanvas();
  Rect r = ClientRect();
  c.Brush().SetColor(clBtnFace);
  c.FillRect(r);
  bool focused = Focused();
  bool framed = default_ || focused;
  if (framed) {
    c.Brush().SetColor(cl3DDkShadow);
    c.FrameRect(r);
    r = r.Inflate(-1, -1);
  }
  bool pressed = Pressed();
  if (pressed) {
    c.Brush().SetColor(clBtnShadow);
    c.FrameRect(r);
    r = r.Inflate(-1, -1);
  } else {
    DrawRaisedEdge(c, r);
  }
  Rect text = r;
  if (pressed) text = text.Offset(1, 1);
  c.Font() = GetFont();
  DrawControlText(c, Caption(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE, Enabled());
  if (focused) {
    Rect focus = ClientRect().Inflate(-4, -4);
    c.Brush() = Brush();
    c.DrawFocusRect(focus);
  }
}

}  // namespace somnara::fw
