#include "framework/controls/panel.h"

#include <algorithm>

#include "framework/controls/draw_helpers.h"
#include "framework/graphics/canvas.h"

namespace somnara::fw {

const ClassInfo& Panel::StaticClassInfo() {
  static const RegisteredClassInfo info = [] {
    ClassInfo i("TPanel", &CustomControl::StaticClassInfo(),
                [](Component* o) { return new Panel(o); });
    i.Add(EnumProperty<Panel, BevelCut>("BevelInner", kBevelCutNames, &Panel::BevelInner,
                                        &Panel::SetBevelInner));
    i.Add(EnumProperty<Panel, BevelCut>("BevelOuter", kBevelCutNames, &Panel::BevelOuter,
                                        &Panel::SetBevelOuter));
    i.Add(IntegerProperty<Panel>("BevelWidth", &Panel::BevelWidth, &Panel::SetBevelWidth));
    i.Add(IntegerProperty<Panel>("BorderWidth", &Panel::BorderWidth, &Panel::SetBorderWidth));
    i.Add(EnumProperty<Panel, ControlBorder>("BorderStyle", kControlBorderNames,
                                             &Panel::BorderStyle, &Panel::SetBorderStyle));
    i.Add(EnumProperty<Panel, fw::Alignment>("Alignment", kAlignmentNames, &Panel::GetAlignment,
                                             &Panel::SetAlignment));
    return i;
  }();
  return info;
}

Panel::Panel(Component* owner) : CustomControl(owner) {
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
}

Panel::~Panel() {
  BeginDestruction();
}

void Panel::LayoutChanged() {
  Realign();
  Invalidate();
}

void Panel::SetBevelInner(BevelCut cut) {
  bevel_inner_ = cut;
  LayoutChanged();
}

void Panel::SetBevelOuter(BevelCut cut) {
  bevel_outer_ = cut;
  LayoutChanged();
}

void Panel::SetBevelWidth(int width) {
  bevel_width_ = std::max(1, width);
  LayoutChanged();
}

void Panel::SetBorderWidth(int width) {
  border_width_ = std::max(0, width);
  LayoutChanged();
}

void Panel::SetBorderStyle(ControlBorder style) {
  border_style_ = style;
  LayoutChanged();
}

void Panel::SetAlignment(fw::Alignment alignment) {
  alignment_ = alignment;
  Invalidate();
}

Rect Panel::AdjustClientRect() const {
  int inset = border_width_;
  if (border_style_ == ControlBorder::kSingle) inset += 1;
  if (bevel_outer_ != BevelCut::kNone) inset += bevel_width_;
  if (bevel_inner_ != BevelCut::kNone) inset += bevel_width_;
  return ClientRect().Inflate(-inset, -inset);
}

void Panel::Paint() {
  Canvas& c = GetCanvas();
  Rect r = ClientRect();
  if (border_style_ == ControlBorder::kSingle) {
    c.Brush().SetColor(clWindowFrame);
    c.FrameRect(r);
    r = r.Inflate(-1, -1);
  }
  auto bevel = [&](BevelCut cut) {
    if (cut == BevelCut::kNone) return;
    if (cut == BevelCut::kSpace) {
      r = r.Inflate(-bevel_width_, -bevel_width_);
      return;
    }
    bool raised = cut == BevelCut::kRaised;
    Frame3D(c, r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight,
            bevel_width_);
  };
  bevel(bevel_outer_);
  if (border_width_ > 0) {
    // The border between the bevels shows the panel's colour.
    c.Brush().SetColor(GetColor());
    Rect inner = r.Inflate(-border_width_, -border_width_);
    c.FillRect({r.left, r.top, r.right, inner.top});
    c.FillRect({r.left, inner.bottom, r.right, r.bottom});
    c.FillRect({r.left, inner.top, inner.left, inner.bottom});
    c.FillRect({inner.right, inner.top, r.right, inner.bottom});
    r = inner;
  }
  bevel(bevel_inner_);
  if (!Transparent()) {
    c.Brush().SetColor(GetColor());
    c.FillRect(r);
  }
  if (!Caption().empty()) {
    unsigned flags = DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS;
    if (alignment_ == fw::Alignment::kCenter) flags |= DT_CENTER;
    if (alignment_ == fw::Alignment::kRightJustify) flags |= DT_RIGHT;
    c.Font() = GetFont();
    DrawControlText(c, Caption(), r, flags, Enabled());
  }
}

}  // namespace somnara::fw
