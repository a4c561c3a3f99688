#pragma once

#include <vector>

#include "framework/controls/popup_window.h"

namespace somnara::fw {

class MenuItem;
class PopupMenu;

// The window of an open popup menu: its visible items from top to bottom, sized to the
// widest. Separators cannot be chosen; an access key ("&A") chooses its item.
class MenuWindow : public PopupWindow {
 public:
  explicit MenuWindow(PopupMenu* menu);
  ~MenuWindow() override;
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  // Lays out the visible ones of `items` (the menu's own, or the sub-items of one of
  // them) and shows them at a screen point.
  void Open(int x, int y, const std::vector<MenuItem*>& items);
  // The items shown, in order, and where (client coordinates).
  const std::vector<MenuItem*>& ShownItems() const { return items_; }
  Rect ItemRect(int index) const override;

 protected:
  int ItemCount() const override { return int(items_.size()); }
  bool ItemSelectable(int index) const override;
  bool ItemEnabled(int index) const override;
  void DrawItem(Canvas& canvas, int index, const Rect& rect, bool hot) override;
  void DrawFrame(Canvas& canvas, const Rect& client) override;
  void ItemChosen(int index) override;
  bool CharKey(char32_t ch) override;
  void Notification(Component* component, Operation operation) override;

 private:
  void Forget();

  PopupMenu* menu_;
  std::vector<MenuItem*> items_;
  std::vector<Rect> rects_;
};

}  // namespace somnara::fw
