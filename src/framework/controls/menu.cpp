#include "framework/controls/menu.h"

#include <algorithm>

#include "framework/controls/accelerator.h"
#include "framework/controls/draw_helpers.h"
#include "framework/controls/image_list.h"
#include "framework/controls/menu_item.h"
#include "framework/graphics/canvas.h"

namespace somnara::fw {
namespace {
constexpr int kCheckColumn = 20;
constexpr int kShortCutGap = 24;
constexpr int kRightMargin = 16;
constexpr int kSeparatorHeight = 9;

MenuItem* FindIn(const std::vector<MenuItem*>& items, uint16_t shortcut) {
  for (MenuItem* item : items) {
    if (item->ShortCut() == shortcut) return item;
    if (MenuItem* found = FindIn(item->Items(), shortcut)) return found;
  }
  return nullptr;
}
}  // namespace

Font SystemMenuFont() {
  Font font;
  font.SetName("Tahoma");
  font.SetHeight(-11);
  font.SetColor(clMenuText);
  return font;
}

const ClassInfo& Menu::StaticClassInfo() {
  static const ClassInfo info = [] {
    ClassInfo i("TMenu", &Component::StaticClassInfo());
    i.Add(ReferenceProperty<Menu, ImageList>("Images", &Menu::Images, &Menu::SetImages));
    i.Add(BoolProperty<Menu>("OwnerDraw", &Menu::OwnerDraw, &Menu::SetOwnerDraw));
    return i;
  }();
  return info;
}

Menu::Menu(Component* owner) : Component(owner), font_(SystemMenuFont()) {}

Menu::~Menu() {
  BeginDestruction();
  for (MenuItem* item : items_) item->menu_ = nullptr;
  items_.clear();
}

void Menu::Add(MenuItem* item) {
  Insert(Count(), item);
}

void Menu::Insert(int index, MenuItem* item) {
  if (item == nullptr) return;
  item->Detach();
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->menu_ = this;
  MenuChanged(nullptr, true);
}

void Menu::Remove(MenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->menu_ = nullptr;
  if (!IsDestroying()) MenuChanged(nullptr, true);
}

void Menu::SetImages(ImageList* images) {
  if (images_ != nullptr) images_->RemoveFreeNotification(this);
  images_ = images;
  if (images_ != nullptr) images_->FreeNotification(this);
}

void Menu::Notification(Component* component, Operation operation) {
  Component::Notification(component, operation);
  if (operation == Operation::kRemove && component == images_) images_ = nullptr;
}

void Menu::MenuChanged(MenuItem* source, bool rebuild) {
  if (OnChange && !IsDestroying()) OnChange(this);
}

MenuItem* Menu::FindShortCut(uint16_t shortcut) const {
  return shortcut == 0 ? nullptr : FindIn(items_, shortcut);
}

bool Menu::IsShortCut(uint32_t key, unsigned shift) {
  if (key == 0 || key > 0xFF) return false;
  uint16_t shortcut = uint16_t(key);
  if (shift & ssShift) shortcut |= scShift;
  if (shift & ssCtrl) shortcut |= scCtrl;
  if (shift & ssAlt) shortcut |= scAlt;
  MenuItem* item = FindShortCut(shortcut);
  if (item == nullptr) return false;
  for (MenuItem* p = item; p != nullptr; p = p->ParentItem())
    if (!p->Enabled()) return false;
  item->Click();
  return true;
}

void Menu::DoMeasureItem(MenuItem& item, Canvas& canvas, int& width, int& height) {
  canvas.Font() = font_;
  if (owner_draw_ && item.OnMeasureItem)
    item.OnMeasureItem(&item, canvas, width, height);
  else
    MeasureItem(item, canvas, width, height);
}

void Menu::DoDrawItem(MenuItem& item, Canvas& canvas, const Rect& rect, bool selected) {
  canvas.Font() = font_;
  if (owner_draw_ && item.OnDrawItem)
    item.OnDrawItem(&item, canvas, rect, selected);
  else
    DrawItem(item, canvas, rect, selected);
}

void Menu::MeasureItem(MenuItem& item, Canvas& canvas, int& width, int& height) {
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

void Menu::DrawItem(MenuItem& item, Canvas& c, const Rect& rect, bool selected) {
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

}  // namespace somnara::fw
