#include "skin/frame/tsui_popup_menu.h"

#include "skin/frame/menu_check_images.h"
#include "skin/frame/menu_item_painter.h"

namespace somnara::skin {

const fw::ClassInfo& TsuiPopupMenu::StaticClassInfo() {
  static const fw::RegisteredClassInfo info = [] {
    fw::ClassInfo i("TsuiPopupMenu", &fw::PopupMenu::StaticClassInfo(),
                    [](fw::Component* o) { return new TsuiPopupMenu(o); });
    AddMenuSkinProperties<TsuiPopupMenu>(i);
    return i;
  }();
  return info;
}

TsuiPopupMenu::TsuiPopupMenu(fw::Component* owner)
    : fw::PopupMenu(owner), TsuiMenuSkin(*this, Kind::kPopup) {
  fw::PopupMenu::SetOwnerDraw(true);
  ApplyOwnerStyle();
}

TsuiPopupMenu::~TsuiPopupMenu() {
  BeginDestruction();
}

void TsuiPopupMenu::Loaded() {
  fw::PopupMenu::Loaded();
  HookItems();
}

void TsuiPopupMenu::DrawFrame(fw::Canvas& canvas, const Rect& bounds) {
  if (FlatMenu())
    DrawFlatMenuBorder(canvas, bounds, FormColor());
  else
    fw::PopupMenu::DrawFrame(canvas, bounds);
}

void TsuiPopupMenu::Notification(fw::Component* component, fw::Operation operation) {
  fw::PopupMenu::Notification(component, operation);
  SkinNotification(component, operation);
}

void TsuiPopupMenu::MenuChanged(fw::MenuItem* source, bool rebuild) {
  // Items put into the menu after loading draw like the others.
  if (rebuild) HookItems();
  fw::PopupMenu::MenuChanged(source, rebuild);
}

const fw::ImageList& TsuiPopupMenu::CheckImages() const {
  return SharedMenuCheckImages();
}

}  // namespace somnara::skin
