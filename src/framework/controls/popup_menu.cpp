#include "framework/controls/popup_menu.h"

#include <algorithm>

#include "framework/controls/accelerator.h"
#include "framework/controls/draw_helpers.h"
#include "framework/controls/menu_item.h"
#include "framework/controls/menu_window.h"
#include "framework/graphics/canvas.h"

namespace somnara::fw {
namespace {
constexpr int kCheckColumn = 20;
constexpr int kShortCutGap = 24;
constexpr int kRightMargin = 16;
constexpr int kSeparatorHeight = 9;
}  // namespace

const ClassInfo& PopupMenu::StaticClassInfo() {
  static const RegisteredClassInfo info = [] {
    ClassInfo i("TPopupMenu", &Component::StaticClassInfo(),
                [](Component* o) { return new PopupMenu(o); });
    i.Add(BoolProperty<PopupMenu>("AutoPopup", &PopupMenu::AutoPopup, &PopupMenu::SetAutoPopup));
    i.Add(BoolProperty<PopupMenu>("OwnerDraw", &PopupMenu::OwnerDraw, &PopupMenu::SetOwnerDraw));
    i.Add(EventProperty<PopupMenu>("OnPopup", &PopupMenu::OnPopup));
    return i;
  }();
  return info;
}

PopupMenu::PopupMenu(Component* owner) : Component(owner) {
  font_.SetName("Tahoma");
  font_.SetHeight(-11);
  font_.SetColor(clMenuText);
}

PopupMenu::~PopupMenu() {
  BeginDestruction();
  for (MenuItem* item : items_) item->menu_ = nullptr;
  items_.clear();
}

void PopupMenu::Add(MenuItem* item) {
  Insert(Count(), item);
}

void PopupMenu::Insert(int index, MenuItem* item) {
  if (item == nullptr) return;
  item->Detach();
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->menu_ = this;
}

void PopupMenu::Remove(MenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->menu_ = nullptr;
}

void PopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(this);
  if (std::none_of(items_.begin(), items_.end(), [](MenuItem* i) { return i->Visible(); })) return;
  // Made at the first popup, so it is never older than a modal window the menu is used in.
  if (window_ == nullptr) window_ = new MenuWindow(this);
  window_->Open(x, y);
}

bool PopupMenu::IsOpen() const {
  return window_ != nullptr && window_->IsOpen();
}

void PopupMenu::CloseMenu() {
  if (window_ != nullptr) window_->CloseUp(true);
}

void PopupMenu::DoMeasureItem(MenuItem& item, Canvas& canvas, int& width, int& height) {
  canvas.Font() = font_;
  if (item.OnMeasureItem)
    item.OnMeasureItem(&item, canvas, width, height);
  else
    MeasureItem(item, canvas, width, height);
}

void PopupMenu::DoDrawItem(MenuItem& item, Canvas& canvas, const Rect& rect, bool selected) {
  canvas.Font() = font_;
  if (item.OnDrawItem)
    item.OnDrawItem(&item, canvas, rect, selected);
  else
    DrawItem(item, canvas, rect, selected);
}

void PopupMenu::MeasureItem(MenuItem& item, Canvas& canvas, int& width, int& height) {
  if (item.IsSeparator()) {
    width = kCheckColumn;
    height = kSeparatorHeight;
    return;
  }
  if (item.Default()) canvas.Font().SetBold(true);
  Size text = MeasureText(canvas.Font(), item.Caption(), DT_SINGLELINE);
  int shortcut = item.ShortCutText().empty() ? 0 : canvas.TextWidth(item.ShortCutText());
  width = kCheckColumn + text.width + (shortcut > 0 ? kShortCutGap + shortcut : 0) + kRightMargin;
  height = std::max(text.height + 6, 17);
}

void PopupMenu::DrawItem(MenuItem& item, Canvas& c, const Rect& rect, bool selected) {
  if (item.IsSeparator()) {
    c.Brush().SetColor(clMenu);
    c.FillRect(rect);
    int y = rect.top + rect.Height() / 2 - 1;
    c.Pen() = Pen();
    c.Pen().SetColor(clBtnShadow);
    c.MoveTo(rect.left + 1, y);
    c.LineTo(rect.right - 1, y);
    c.Pen().SetColor(clBtnHighlight);
    c.MoveTo(rect.left + 1, y + 1);
    c.LineTo(rect.right - 1, y + 1);
    return;
  }
  c.Brush().SetColor(selected ? clHighlight : clMenu);
  c.FillRect(rect);
  if (item.Default()) c.Font().SetBold(true);
  Color text_color = selected ? clHighlightText : clMenuText;
  c.Font().SetColor(text_color);
  if (item.Checked()) DrawCheckMark(c, rect.left + 6, rect.top + rect.Height() / 2 - 3, text_color);
  Rect caption{rect.left + kCheckColumn, rect.top, rect.right - kRightMargin, rect.bottom};
  unsigned flags = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
  bool enabled = item.Enabled();
  if (!enabled && selected) {
    c.Font().SetColor(clGrayText);
    enabled = true;
  }
  DrawControlText(c, item.Caption(), caption, flags, enabled);
  if (!item.ShortCutText().empty()) {
    int w = c.TextWidth(item.ShortCutText());
    Rect shortcut{rect.right - w - kRightMargin, rect.top, rect.right, rect.bottom};
    DrawControlText(c, item.ShortCutText(), shortcut, flags | DT_NOPREFIX, enabled);
  }
  if (item.Count() > 0) {
    // A sub-menu's arrow.
    int cx = rect.right - 8, cy = rect.top + rect.Height() / 2;
    c.Pen() = Pen();
    c.Pen().SetColor(text_color);
    for (int i = 0; i < 4; ++i) {
      c.MoveTo(cx - 3 + i, cy - 3 + i);
      c.LineTo(cx - 3 + i, cy + 4 - i);
    }
  }
}

void PopupMenu::DrawFrame(Canvas& canvas, const Rect& bounds) {
  Rect r = bounds;
  Frame3D(canvas, r, cl3DLight, cl3DDkShadow, 1);
  Frame3D(canvas, r, clBtnHighlight, clBtnShadow, 1);
  canvas.Brush() = Brush();
  canvas.Brush().SetColor(clMenu);
  canvas.FrameRect(r);
}

}  // namespace somnara::fw
