#include "framework/controls/combo_list_window.h"

#include <algorithm>

#include "framework/controls/combo_box.h"
#include "framework/controls/draw_helpers.h"
#include "framework/graphics/canvas.h"

namespace somnara::fw {
namespace {
constexpr int kStripWidth = 12;
}  // namespace

const ClassInfo& ComboListWindow::StaticClassInfo() {
  static const ClassInfo info("TComboListWindow", &PopupWindow::StaticClassInfo());
  return info;
}

ComboListWindow::ComboListWindow(ComboBox* combo)
    : PopupWindow(combo), combo_(combo), strip_(0, 6) {
  SetColor(clWindow);
}

ComboListWindow::~ComboListWindow() {
  BeginDestruction();
}

int ComboListWindow::VisibleRows() const {
  return std::max(1, std::min(combo_->ItemCount(), combo_->DropDownCount()));
}

bool ComboListWindow::HasScrollStrip() const {
  return combo_->ItemCount() > VisibleRows();
}

void ComboListWindow::Open() {
  SetFont(combo_->GetFont());
  int rows = VisibleRows();
  int h = rows * combo_->ItemHeight() + 2;
  Point below = combo_->ClientToScreen({0, combo_->Height()});
  Point above = combo_->ClientToScreen({0, 0});
  top_ = 0;
  PopupAt(Rect::FromSize(below.x, below.y, combo_->Width(), h), std::max(0, above.y - h));
  SetHotIndex(combo_->ItemIndex());
}

int ComboListWindow::ItemCount() const {
  return combo_->ItemCount();
}

Rect ComboListWindow::ItemRect(int index) const {
  if (index < top_ || index >= top_ + VisibleRows()) return {};
  int h = combo_->ItemHeight();
  int right = ClientWidth() - 1 - (HasScrollStrip() ? kStripWidth : 0);
  return {1, 1 + (index - top_) * h, right, 1 + (index - top_ + 1) * h};
}

void ComboListWindow::DrawItem(Canvas& c, int index, const Rect& rect, bool hot) {
  c.Brush().SetColor(hot ? clHighlight : clWindow);
  c.FillRect(rect);
  c.Font() = combo_->GetFont();
  c.Font().SetColor(hot ? clHighlightText : clWindowText);
  Rect text = rect;
  text.left += 2;
  c.Brush().SetStyle(BrushStyle::kClear);
  c.DrawText(combo_->Item(index), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void ComboListWindow::DrawFrame(Canvas& c, const Rect& client) {
  c.Brush().SetColor(clWindowFrame);
  c.FrameRect(client);
  if (!HasScrollStrip()) return;
  UpdateStrip();
  strip_.Paint(c);
}

void ComboListWindow::ScrollIntoView(int index) {
  int rows = VisibleRows();
  if (index < top_) top_ = index;
  if (index >= top_ + rows) top_ = index - rows + 1;
  top_ = std::clamp(top_, 0, std::max(0, combo_->ItemCount() - rows));
  Invalidate();
}

bool ComboListWindow::OtherKey(uint32_t key, unsigned shift) {
  int n = combo_->ItemCount();
  if (n == 0) return false;
  int rows = VisibleRows();
  switch (key) {
    case VK_PRIOR:
      SetHotIndex(std::max(0, HotIndex() - rows));
      return true;
    case VK_NEXT:
      SetHotIndex(std::min(n - 1, std::max(0, HotIndex()) + rows));
      return true;
    case VK_HOME:
      SetHotIndex(0);
      return true;
    case VK_END:
      SetHotIndex(n - 1);
      return true;
    case VK_F1 + 3:  // F4
      CloseUp(true);
      return true;
    default:
      return false;
  }
}

void ComboListWindow::UpdateStrip() {
  Rect client = ClientRect();
  Rect bounds{client.right - 1 - kStripWidth, client.top + 1, client.right - 1, client.bottom - 1};
  strip_.Update(bounds, combo_->ItemCount(), VisibleRows(), top_);
}

void ComboListWindow::PressedBesideItems(Point p) {
  if (!HasScrollStrip()) return;
  UpdateStrip();
  if (!strip_.Press(p)) return;
  top_ = strip_.Position();
  Invalidate();
}

// While a press on the strip is held, the pointer drags its thumb, not the hot item, and
// the release chooses nothing.
void ComboListWindow::WndProc(Message& m) {
  bool release = m.msg == WM_LBUTTONUP || m.msg == WM_RBUTTONUP;
  if (strip_.Held() && (release || m.msg == WM_MOUSEMOVE)) {
    if (release) {
      strip_.Release();
    } else if (strip_.Drag({XFromLParam(m.lParam), YFromLParam(m.lParam)})) {
      top_ = strip_.Position();
      Invalidate();
    }
    return;
  }
  PopupWindow::WndProc(m);
}

void ComboListWindow::ItemChosen(int index) {
  combo_->SelectByUser(index);
}

void ComboListWindow::Closed() {
  strip_.Release();
  combo_->ListClosed();
}

}  // namespace somnara::fw
