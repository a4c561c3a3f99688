#include "framework/controls/tool_bar.h"

#include <algorithm>

#include "framework/controls/accelerator.h"
#include "framework/controls/draw_helpers.h"
#include "framework/controls/popup_menu.h"
#include "framework/controls/tool_button.h"
#include "framework/graphics/canvas.h"

namespace somnara::fw {
namespace {
constexpr int kEdge = 2;
constexpr int kCaptionMargin = 8;
}  // namespace

const ClassInfo& ToolBar::StaticClassInfo() {
  static const RegisteredClassInfo info = [] {
    ClassInfo i("TToolBar", &CustomControl::StaticClassInfo(),
                [](Component* o) { return new ToolBar(o); });
    AddControlProperties(i);
    i.Add(BoolProperty<ToolBar>("AutoSize", &ToolBar::AutoSize, &ToolBar::SetAutoSize));
    i.Add(IntegerProperty<ToolBar>("ButtonHeight", &ToolBar::ButtonHeight,
                                   &ToolBar::SetButtonHeight));
    i.Add(IntegerProperty<ToolBar>("ButtonWidth", &ToolBar::ButtonWidth, &ToolBar::SetButtonWidth));
    i.Add(BoolProperty<ToolBar>("EdgeBorders", &ToolBar::EdgeBorders, &ToolBar::SetEdgeBorders));
    i.Add(BoolProperty<ToolBar>("Flat", &ToolBar::Flat, &ToolBar::SetFlat));
    i.Add(BoolProperty<ToolBar>("ShowCaptions", &ToolBar::ShowCaptions, &ToolBar::SetShowCaptions));
    i.Add(BoolProperty<ToolBar>("Wrapable", &ToolBar::Wrapable, &ToolBar::SetWrapable));
    return i;
  }();
  return info;
}

ToolBar::ToolBar(Component* owner) : CustomControl(owner) {
  SetBounds(0, 0, 150, 29);
  SetColor(clBtnFace);
}

ToolBar::~ToolBar() {
  BeginDestruction();
  for (ToolButton* button : std::vector<ToolButton*>(buttons_)) button->SetParent(nullptr);
  delete drop_down_;
}

void ToolBar::SetFlat(bool on) {
  flat_ = on;
  Invalidate();
}

void ToolBar::SetEdgeBorders(bool on) {
  edge_borders_ = on;
  ArrangeButtons();
}

void ToolBar::SetShowCaptions(bool on) {
  show_captions_ = on;
  ArrangeButtons();
}

void ToolBar::SetButtonWidth(int width) {
  button_width_ = std::max(0, width);
  ArrangeButtons();
}

void ToolBar::SetButtonHeight(int height) {
  button_height_ = std::max(0, height);
  ArrangeButtons();
}

void ToolBar::SetWrapable(bool on) {
  wrapable_ = on;
  ArrangeButtons();
}

void ToolBar::SetAutoSize(bool on) {
  auto_size_ = on;
  ArrangeButtons();
}

void ToolBar::Resized() {
  ArrangeButtons();
}

void ToolBar::FontChanged() {
  ArrangeButtons();
  Invalidate();
}

// A new button goes before the first one that starts at or right of its left edge, so
// buttons made from the last to the first, all at 0, end up in order.
void ToolBar::InsertButton(ToolButton* button) {
  auto at = std::find_if(buttons_.begin(), buttons_.end(),
                         [button](ToolButton* b) { return b->Left() >= button->Left(); });
  buttons_.insert(at, button);
  ArrangeButtons();
}

void ToolBar::RemoveButton(ToolButton* button) {
  buttons_.erase(std::remove(buttons_.begin(), buttons_.end(), button), buttons_.end());
  if (!IsDestroying()) ArrangeButtons();
}

void ToolBar::ArrangeButtons() {
  if (arranging_ || IsDestroying()) return;
  arranging_ = true;
  const int edge = edge_borders_ ? kEdge : 0;
  int x = 0, y = edge, rows = 0;
  for (ToolButton* button : buttons_) {
    if (!button->Visible()) continue;
    int width = button_width_;
    if (button->AutoSize() && show_captions_)
      width = MeasureText(GetFont(), button->Caption(), DT_SINGLELINE).width + kCaptionMargin;
    if (rows == 0) rows = 1;
    if (wrapable_ && x > 0 && x + width > Width()) {
      x = 0;
      y += button_height_;
      ++rows;
    }
    button->SetBounds(x, y, width, button_height_);
    x += width;
  }
  if (auto_size_) SetHeight(std::max(rows, 1) * button_height_ + 2 * edge);
  arranging_ = false;
  Invalidate();
}

void ToolBar::EraseBackground(Canvas& canvas) {
  const Rect client = ClientRect();
  canvas.Brush().SetColor(GetColor());
  canvas.FillRect(client);
  bool default_draw = true;
  if (OnCustomDraw) OnCustomDraw(this, client, default_draw);
  if (default_draw && edge_borders_) {
    canvas.Pen() = Pen();
    canvas.Pen().SetColor(clBtnShadow);
    canvas.MoveTo(0, 0);
    canvas.LineTo(client.right, 0);
    canvas.Pen().SetColor(clBtnHighlight);
    canvas.MoveTo(0, client.bottom - 1);
    canvas.LineTo(client.right, client.bottom - 1);
  }
}

void ToolBar::DrawButton(ToolButton& button, Canvas& canvas, unsigned state) {
  Rect r = button.ClientRect();
  const bool sunken = (state & tbPressed) || button.Down();
  if (sunken)
    Frame3D(canvas, r, clBtnShadow, clBtnHighlight, 1);
  else if (!flat_ || (state & tbHot))
    Frame3D(canvas, r, clBtnHighlight, clBtnShadow, 1);
  if (!show_captions_) return;
  canvas.Font() = GetFont();
  if (sunken) r = {r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
  DrawControlText(canvas, button.Caption(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                  !(state & tbDisabled));
}

PopupMenu& ToolBar::DropDownMenu() {
  // Not owned by the bar's owner, so descriptions and the owner's list never see it.
  if (drop_down_ == nullptr) drop_down_ = new PopupMenu(nullptr);
  return *drop_down_;
}

}  // namespace somnara::fw
