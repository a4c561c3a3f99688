#pragma once

#include "framework/control.h"

namespace somnara::fw {

class MenuItem;
class ToolBar;

// One button of a tool bar, placed by the bar. Bound to a menu item it takes the item's
// caption and enabled state, and a click drops the item's sub-items below it (or clicks
// the item when it has none). Grouped buttons next to each other are down one at a time.
class ToolButton : public GraphicControl {
 public:
  explicit ToolButton(Component* owner);
  ~ToolButton() override;
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  void SetParent(WinControl* parent) override;
  ToolBar* Bar() const;
  int Index() const;

  bool Grouped() const { return grouped_; }
  void SetGrouped(bool on) { grouped_ = on; }
  bool Down() const { return down_; }
  void SetDown(bool on);
  // Sized to its caption by the bar rather than to the bar's button width.
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool on);
  // Drops its menu item's sub-items when pressed, instead of clicking the item.
  bool DropDown() const { return drop_down_; }
  void SetDropDown(bool on);

  fw::MenuItem* MenuItem() const { return menu_item_; }
  // Takes the item's caption, enabled state and, for an item with sub-items, drop-down.
  void SetMenuItem(fw::MenuItem* item);
  // Takes the caption and enabled state of the bound item again.
  void SyncWithMenuItem();

  bool Hot() const { return hot_; }
  bool Pressed() const { return pressed_; }
  unsigned State() const;

  void Click() override;

 protected:
  void Paint() override;
  void MouseDown(MouseButton button, unsigned shift, int x, int y) override;
  void MouseUp(MouseButton button, unsigned shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void TextChanged() override;
  void Notification(Component* component, Operation operation) override;

 private:
  bool grouped_ = false;
  bool down_ = false;
  bool auto_size_ = false;
  bool drop_down_ = false;
  bool hot_ = false;
  bool pressed_ = false;
  fw::MenuItem* menu_item_ = nullptr;
};

}  // namespace somnara::fw
