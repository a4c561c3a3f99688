#include "framework/controls/popup_menu.h"

#include <algorithm>

#include "framework/controls/draw_helpers.h"
#include "framework/controls/menu_item.h"
#include "framework/controls/menu_window.h"
#include "framework/graphics/canvas.h"

namespace somnara::fw {

const ClassInfo& PopupMenu::StaticClassInfo() {
  static const RegisteredClassInfo info = [] {
    ClassInfo i("TPopupMenu", &Menu::StaticClassInfo(),
                [](Component* o) { return new PopupMenu(o); });
    i.Add(BoolProperty<PopupMenu>("AutoPopup", &PopupMenu::AutoPopup, &PopupMenu::SetAutoPopup));
    i.Add(EventProperty<PopupMenu>("OnPopup", &PopupMenu::OnPopup));
    return i;
  }();
  return info;
}

PopupMenu::PopupMenu(Component* owner) : Menu(owner) {}

PopupMenu::~PopupMenu() {
  BeginDestruction();
}

void PopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(this);
  Show(Items(), x, y);
}

void PopupMenu::PopupItems(const MenuItem& parent, int x, int y) {
  if (OnPopup) OnPopup(this);
  Show(parent.Items(), x, y);
}

void PopupMenu::Show(const std::vector<MenuItem*>& items, int x, int y) {
  if (std::none_of(items.begin(), items.end(), [](MenuItem* i) { return i->Visible(); })) return;
  // Made at the first popup, so it is never older than a modal window the menu is used in.
  if (window_ == nullptr) window_ = new MenuWindow(this);
  window_->Open(x, y, items);
}

bool PopupMenu::IsOpen() const {
  return window_ != nullptr && window_->IsOpen();
}

void PopupMenu::CloseMenu() {
  if (window_ != nullptr) window_->CloseUp(true);
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
