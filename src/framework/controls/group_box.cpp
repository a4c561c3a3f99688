#include "framework/controls/group_box.h"

#include "framework/controls/draw_helpers.h"
#include "framework/graphics/canvas.h"

namespace somnara::fw {

const ClassInfo& GroupBox::StaticClassInfo() {
  static const RegisteredClassInfo info = [] {
    ClassInfo i("TGroupBox", &CustomControl::StaticClassInfo(),
                [](Component* o) { return new GroupBox(o); });
    return i;
  }();
  return info;
}

GroupBox::GroupBox(Component* owner) : CustomControl(owner) {
  SetBounds(0, 0, 185, 105);
}

GroupBox::~GroupBox() {
  BeginDestruction();
}

int GroupBox::CaptionHeight() const {
  return MeasureText(GetFont(), "0", DT_SINGLELINE).height;
}

Rect GroupBox::AdjustClientRect() const {
  Rect r = ClientRect();
  r.top += CaptionHeight();
  return r.Inflate(-2, -2);
}

void GroupBox::FontChanged() {
  Realign();
  Invalidate();
}

void GroupBox::Paint() {
  Canvas& c = GetCanvas();
  int h = CaptionHeight();
  Rect frame = ClientRect();
  frame.top = h / 2 - 1;
  DrawEtchedFrame(c, frame);
  if (Caption().empty()) return;
  Size size = MeasureText(GetFont(), Caption(), DT_SINGLELINE);
  Rect text = Rect::FromSize(8, 0, size.width, h);
  c.Brush().SetColor(GetColor());
  c.FillRect(text.Inflate(1, 0));
  c.Font() = GetFont();
  DrawControlText(c, Caption(), text, DT_LEFT | DT_SINGLELINE, Enabled());
}

}  // namespace somnara::fw
