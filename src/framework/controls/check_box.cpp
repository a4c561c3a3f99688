#include "framework/controls/check_box.h"

#include "framework/controls/accelerator.h"
#include "framework/controls/draw_helpers.h"
#include "framework/graphics/canvas.h"

namespace somnara::fw {
namespace {
constexpr int kBoxSize = 13;
constexpr int kGap = 4;
}  // namespace

const ClassInfo& CheckBox::StaticClassInfo() {
  static const RegisteredClassInfo info = [] {
    ClassInfo i("TCheckBox", &WinControl::StaticClassInfo(),
                [](Component* o) { return new CheckBox(o); });
    i.Add(BoolProperty<CheckBox>("Checked", &CheckBox::Checked, &CheckBox::SetChecked));
    i.Add(EnumProperty<CheckBox, CheckBoxState>("State", kCheckBoxStateNames, &CheckBox::State,
                                                &CheckBox::SetState));
    i.Add(BoolProperty<CheckBox>("AllowGrayed", &CheckBox::AllowGrayed, &CheckBox::SetAllowGrayed));
    i.Add(EnumProperty<CheckBox, fw::Alignment>("Alignment", kAlignmentNames,
                                                &CheckBox::GetAlignment, &CheckBox::SetAlignment));
    i.Add(BoolProperty<CheckBox>("Ctl3D", &CheckBox::Ctl3D, &CheckBox::SetCtl3D));
    return i;
  }();
  return info;
}

CheckBox::CheckBox(Component* owner) : WinControl(owner) {
  SetTabStop(true);
  SetBounds(0, 0, 97, 17);
}

CheckBox::~CheckBox() {
  BeginDestruction();
}

void CheckBox::SetState(CheckBoxState state) {
  if (state_ == state) return;
  state_ = state;
  Invalidate();
  if (!IsLoading()) WinControl::Click();
}

void CheckBox::SetAlignment(fw::Alignment alignment) {
  alignment_ = alignment == fw::Alignment::kLeftJustify ? alignment : fw::Alignment::kRightJustify;
  Invalidate();
}

void CheckBox::SetCtl3D(bool on) {
  ctl3d_ = on;
  Invalidate();
}

void CheckBox::Toggle() {
  switch (state_) {
    case CheckBoxState::kUnchecked:
      SetState(CheckBoxState::kChecked);
      break;
    case CheckBoxState::kChecked:
      SetState(allow_grayed_ ? CheckBoxState::kGrayed : CheckBoxState::kUnchecked);
      break;
    case CheckBoxState::kGrayed:
      SetState(CheckBoxState::kUnchecked);
      break;
  }
}

// A click of the mouse toggles; the state change itself runs OnClick.
void CheckBox::Click() {
  Toggle();
}

void CheckBox::WndProc(Message& m) {
  switch (m.msg) {
    case WM_GETDLGCODE:
      m.result = 0;
      return;
    case CM_DIALOGCHAR:
      if (IsAccel(char32_t(m.wParam), Caption()) && CanFocus()) {
        SetFocus();
        if (Focused()) Toggle();
        m.result = 1;
      }
      return;
    default:
      break;
  }
  WinControl::WndProc(m);
}

void CheckBox::KeyDown(uint32_t& key, unsigned shift) {
  WinControl::KeyDown(key, shift);
  if (key == VK_SPACE) space_down_ = true;
}

void CheckBox::KeyUp(uint32_t& key, unsigned shift) {
  WinControl::KeyUp(key, shift);
  if (key == VK_SPACE && space_down_) {
    space_down_ = false;
    Toggle();
  }
}

void CheckBox::DoExit() {
  space_down_ = false;
  WinControl::DoExit();
}

void CheckBox::MouseDown(MouseButton button, unsigned shift, int x, int y) {
  if (button == MouseButton::kLeft && CanFocus()) SetFocus();
  WinControl::MouseDown(button, shift, x, y);
}

Rect CheckBox::BoxRect() const {
  int top = (Height() - kBoxSize) / 2;
  int left = alignment_ == fw::Alignment::kLeftJustify ? Width() - kBoxSize : 0;
  return Rect::FromSize(left, top, kBoxSize, kBoxSize);
}

void CheckBox::Paint() {
  Canvas& c = GetCanvas();
  Rect box = BoxRect();
  Rect inner = box;
  if (ctl3d_) {
    DrawSunkenEdge(c, inner);
  } else {
    c.Brush().SetColor(clWindowFrame);
    c.FrameRect(inner);
    inner = inner.Inflate(-1, -1);
  }
  bool grayed = state_ == CheckBoxState::kGrayed || !Enabled();
  c.Brush().SetColor(grayed ? clBtnFace : clWindow);
  c.FillRect(inner);
  if (state_ != CheckBoxState::kUnchecked)
    DrawCheckMark(c, inner.left + 1, inner.top + 2,
                  state_ == CheckBoxState::kGrayed || !Enabled() ? clBtnShadow : clWindowText);

  Rect text = ClientRect();
  if (alignment_ == fw::Alignment::kRightJustify)
    text.left = box.right + kGap;
  else
    text.right = box.left - kGap;
  c.Font() = GetFont();
  unsigned flags = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
  DrawControlText(c, Caption(), text, flags, Enabled());
  if (Focused() && !Caption().empty()) {
    Size size = MeasureText(GetFont(), Caption(), DT_SINGLELINE);
    int top = (Height() - size.height) / 2;
    Rect focus = Rect::FromSize(text.left - 1, top - 1, size.width + 2, size.height + 2);
    focus = focus.Intersect(ClientRect());
    c.Brush() = Brush();
    c.DrawFocusRect(focus);
  }
}

}  // namespace somnara::fw
