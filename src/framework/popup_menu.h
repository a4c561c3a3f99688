#pragma once

#include <string>
#include <vector>

#include "framework/component.h"
#include "framework/events.h"

namespace somnara::fw {

class MenuItem;

// A menu that drops from a point of the screen (a button, a right click).
class PopupMenu : public Component {
 public:
  explicit PopupMenu(Component* owner);
  ~PopupMenu() override;
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  // The items in order (menu items are owned by the menu's owner, as descriptions make them).
  const std::vector<MenuItem*>& Items() const { return items_; }
  void Add(MenuItem* item);
  void Remove(MenuItem* item);
  // Opens the menu with its top-left corner at a screen point; returns at once.
  virtual void Popup(int x, int y);
  void Notification(Component* component, Operation operation) override;
  NotifyEvent OnPopup;

 private:
  std::vector<MenuItem*> items_;
};

}  // namespace somnara::fw
