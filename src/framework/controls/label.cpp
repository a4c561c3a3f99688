#include "framework/controls/label.h"

#include "framework/controls/accelerator.h"
#include "framework/controls/draw_helpers.h"
#include "framework/graphics/canvas.h"
#include "framework/win_control.h"

namespace somnara::fw {

const ClassInfo& Label::StaticClassInfo() {
  static const RegisteredClassInfo info = [] {
    ClassInfo i("TLabel", &GraphicControl::StaticClassInfo(),
                [](Component* o) { return new Label(o); });
    i.Add(EnumProperty<Label, fw::Alignment>("Alignment", kAlignmentNames, &Label::GetAlignment,
                                             &Label::SetAlignment));
    i.Add(EnumProperty<Label, TextLayout>("Layout", kTextLayoutNames, &Label::GetLayout,
                                          &Label::SetLayout));
    i.Add(BoolProperty<Label>("AutoSize", &Label::AutoSize, &Label::SetAutoSize));
    i.Add(BoolProperty<Label>("WordWrap", &Label::WordWrap, &Label::SetWordWrap));
    i.Add(BoolProperty<Label>("ShowAccelChar", &Label::ShowAccelChar, &Label::SetShowAccelChar));
    i.Add(BoolProperty<Control>("Transparent", &Control::Transparent, &Control::SetTransparent));
    i.Add(ReferenceProperty<Label, WinControl>("FocusControl", &Label::FocusControl,
                                               &Label::SetFocusControl));
    return i;
  }();
  return info;
}

Label::Label(Component* owner) : GraphicControl(owner) {
  SetBounds(0, 0, 65, 13);
}

Label::~Label() {
  BeginDestruction();
}

void Label::SetAlignment(fw::Alignment alignment) {
  if (alignment_ == alignment) return;
  alignment_ = alignment;
  Invalidate();
}

void Label::SetLayout(TextLayout layout) {
  if (layout_ == layout) return;
  layout_ = layout;
  Invalidate();
}

void Label::SetAutoSize(bool on) {
  if (auto_size_ == on) return;
  auto_size_ = on;
  AdjustBounds();
}

void Label::SetWordWrap(bool on) {
  if (word_wrap_ == on) return;
  word_wrap_ = on;
  AdjustBounds();
  Invalidate();
}

void Label::SetShowAccelChar(bool on) {
  if (show_accel_char_ == on) return;
  show_accel_char_ = on;
  AdjustBounds();
  Invalidate();
}

void Label::SetFocusControl(WinControl* control) {
  focus_control_ = control;
  if (control != nullptr) control->FreeNotification(this);
}

void Label::Notification(Component* component, Operation operation) {
  GraphicControl::Notification(component, operation);
  if (operation == Operation::kRemove && component == focus_control_) focus_control_ = nullptr;
}

void Label::Loaded() {
  GraphicControl::Loaded();
  AdjustBounds();
}

void Label::VisibleChanged() {
  GraphicControl::VisibleChanged();
  if (Visible() && size_stale_) AdjustBounds();
}

void Label::TextChanged() {
  AdjustBounds();
  Invalidate();
}

void Label::FontChanged() {
  AdjustBounds();
  Invalidate();
}

unsigned Label::TextFlags() const {
  unsigned flags = DT_EXPANDTABS;
  if (word_wrap_) flags |= DT_WORDBREAK;
  if (!show_accel_char_) flags |= DT_NOPREFIX;
  if (alignment_ == fw::Alignment::kRightJustify) flags |= DT_RIGHT;
  if (alignment_ == fw::Alignment::kCenter) flags |= DT_CENTER;
  return flags;
}

// An empty caption still measures one line, so an auto-sized label never collapses.
void Label::AdjustBounds() {
  if (!auto_size_ || IsLoading()) return;
  // Measuring needs the fonts, which a window showing no text yet need not wait for at
  // start, and a hidden clock need not be measured every second.
  if (!Visible()) {
    size_stale_ = true;
    return;
  }
  size_stale_ = false;
  std::string text = Caption();
  if (text.empty() || (show_accel_char_ && text == "&")) text += ' ';
  Size size = MeasureText(GetFont(), text, TextFlags(), Width());
  int width = word_wrap_ ? Width() : size.width;
  SetBounds(Left(), Top(), width, size.height);
}

void Label::Paint() {
  Canvas& canvas = GetCanvas();
  Rect client = ClientRect();
  if (!Transparent()) {
    canvas.Brush().SetColor(GetColor());
    canvas.FillRect(client);
  }
  unsigned flags = TextFlags();
  Rect text = client;
  if (layout_ != TextLayout::kTop) {
    Size size = MeasureText(GetFont(), Caption(), flags, client.Width());
    int room = client.Height() - size.height;
    text.top += layout_ == TextLayout::kCenter ? room / 2 : room;
  }
  canvas.Font() = GetFont();
  DrawControlText(canvas, Caption(), text, flags, Enabled());
}

void Label::WndProc(Message& m) {
  if (m.msg == CM_DIALOGCHAR && focus_control_ != nullptr && show_accel_char_ &&
      IsAccel(char32_t(m.wParam), Caption()) && focus_control_->CanFocus()) {
    focus_control_->SetFocus();
    m.result = 1;
    return;
  }
  GraphicControl::WndProc(m);
}

}  // namespace somnara::fw
