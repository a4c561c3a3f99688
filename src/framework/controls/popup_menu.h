#pragma once

#include "framework/controls/menu.h"

namespace somnara::fw {

class MenuWindow;

// A menu that drops from a point of the screen (a button, a right click). Popup shows its
// visible items in a borderless window and returns at once; a chosen item's OnClick runs
// once the window has closed. How items are measured and drawn is open to derived menus
// (MeasureItem, DrawItem, DrawFrame), and in an owner-drawn menu each item may draw itself
// (its OnMeasureItem and OnDrawItem win over the menu's).
class PopupMenu : public Menu {
 public:
  explicit PopupMenu(Component* owner);
  ~PopupMenu() override;
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  // Opens the menu with its top-left corner at a screen point (moved to stay on the
  // screen); OnPopup runs first. Returns at once.
  virtual void Popup(int x, int y);
  // Opens the sub-items of `parent` (an item of any menu) the same way, drawn by this menu.
  void PopupItems(const MenuItem& parent, int x, int y);
  bool IsOpen() const;
  void CloseMenu();

  // Right clicks on a control whose PopupMenu this is open it only when set.
  bool AutoPopup() const { return auto_popup_; }
  void SetAutoPopup(bool on) { auto_popup_ = on; }

  // The border around the items and its thickness.
  virtual void DrawFrame(Canvas& canvas, const Rect& bounds);
  virtual int FrameWidth() const { return 3; }

  // The window of an open (or once opened) menu; null before the first Popup.
  MenuWindow* Window() const { return window_; }

  NotifyEvent OnPopup;

 private:
  void Show(const std::vector<MenuItem*>& items, int x, int y);

  bool auto_popup_ = true;
  MenuWindow* window_ = nullptr;
};

}  // namespace somnara::fw
