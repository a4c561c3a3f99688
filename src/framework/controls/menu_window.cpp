#include "framework/controls/menu_window.h"

#include <algorithm>

#include "framework/controls/accelerator.h"
#include "framework/controls/menu_item.h"
#include "framework/controls/popup_menu.h"
#include "framework/graphics/canvas.h"

namespace somnara::fw {

const ClassInfo& MenuWindow::StaticClassInfo() {
  static const ClassInfo info("TMenuWindow", &PopupWindow::StaticClassInfo());
  return info;
}

MenuWindow::MenuWindow(PopupMenu* menu) : PopupWindow(menu), menu_(menu) {}

MenuWindow::~MenuWindow() {
  BeginDestruction();
  Forget();
}

void MenuWindow::Forget() {
  for (MenuItem* item : items_) item->RemoveFreeNotification(this);
  items_.clear();
  rects_.clear();
}

void MenuWindow::Notification(Component* component, Operation operation) {
  PopupWindow::Notification(component, operation);
  if (operation != Operation::kRemove) return;
  auto it = std::find(items_.begin(), items_.end(), component);
  if (it == items_.end()) return;
  // An item freed while the menu shows: the menu closes rather than show a stale list.
  rects_.erase(rects_.begin() + (it - items_.begin()));
  items_.erase(it);
  CloseUp(true);
}

void MenuWindow::Open(int x, int y, const std::vector<MenuItem*>& items) {
  Forget();
  for (MenuItem* item : items)
    if (item->Visible()) {
      items_.push_back(item);
      item->FreeNotification(this);
    }
  SetFont(menu_->GetFont());
  Canvas& canvas = WindowCanvas();
  int frame = menu_->FrameWidth();
  int width = 0, top = frame;
  for (MenuItem* item : items_) {
    int w = 0, h = 0;
    menu_->DoMeasureItem(*item, canvas, w, h);
    width = std::max(width, w);
    rects_.push_back(Rect::FromSize(frame, top, 0, std::max(0, h)));
    top += std::max(0, h);
  }
  for (Rect& r : rects_) r.right = frame + width;
  PopupAt(Rect::FromSize(x, y, width + 2 * frame, top + frame));
}

Rect MenuWindow::ItemRect(int index) const {
  if (index < 0 || index >= int(rects_.size())) return {};
  return rects_[size_t(index)];
}

bool MenuWindow::ItemSelectable(int index) const {
  return !items_[size_t(index)]->IsSeparator();
}

bool MenuWindow::ItemEnabled(int index) const {
  return items_[size_t(index)]->Enabled();
}

void MenuWindow::DrawItem(Canvas& canvas, int index, const Rect& rect, bool hot) {
  menu_->DoDrawItem(*items_[size_t(index)], canvas, rect, hot);
}

void MenuWindow::DrawFrame(Canvas& canvas, const Rect& client) {
  menu_->DrawFrame(canvas, client);
}

void MenuWindow::ItemChosen(int index) {
  MenuItem* item = items_[size_t(index)];
  item->Click();
}

bool MenuWindow::CharKey(char32_t ch) {
  for (size_t i = 0; i < items_.size(); ++i) {
    MenuItem* item = items_[i];
    if (!item->IsSeparator() && item->Enabled() && IsAccel(ch, item->Caption())) {
      Choose(int(i));
      return true;
    }
  }
  return false;
}

}  // namespace somnara::fw
