#include "framework/popup_menu.h"

#include <algorithm>

namespace somnara::fw {

const ClassInfo& PopupMenu::StaticClassInfo() {
  static const ClassInfo info = [] {
    ClassInfo i("TPopupMenu", &Component::StaticClassInfo(),
                [](Component* o) { return new PopupMenu(o); });
    i.Add(EventProperty<PopupMenu>("OnPopup", &PopupMenu::OnPopup));
    return i;
  }();
  static const bool registered = (ClassInfo::Register(info), true);
  (void)registered;
  return info;
}

PopupMenu::PopupMenu(Component* owner) : Component(owner) {}

PopupMenu::~PopupMenu() { BeginDestruction(); }

void PopupMenu::Add(MenuItem* item) {
  if (std::find(items_.begin(), items_.end(), item) == items_.end()) items_.push_back(item);
}

void PopupMenu::Remove(MenuItem* item) {
  items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
}

void PopupMenu::Notification(Component* component, Operation operation) {
  Component::Notification(component, operation);
  if (operation == Operation::kRemove)
    items_.erase(std::remove_if(items_.begin(), items_.end(),
                                [component](MenuItem* i) {
                                  return static_cast<void*>(i) == static_cast<void*>(component);
                                }),
                 items_.end());
}

void PopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(this);
}

}  // namespace somnara::fw
