#pragma once

#include <vector>

#include "framework/component.h"
#include "framework/events.h"
#include "framework/graphics/font.h"
#include "platform/geometry.h"

namespace somnara::fw {

class Canvas;
class MenuItem;
class MenuWindow;

// A menu that drops from a point of the screen (a button, a right click). Popup shows its
// visible items in a borderless window and returns at once; a chosen item's OnClick runs
// once the window has closed. How items are measured and drawn is open to derived menus
// (MeasureItem, DrawItem, DrawFrame), and each item may draw itself (its OnMeasureItem and
// OnDrawItem win over the menu's).
class PopupMenu : public Component {
 public:
  explicit PopupMenu(Component* owner);
  ~PopupMenu() override;
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  // The top-level items in order. Items are usually owned by the menu's owner, as
  // descriptions make them; an item that goes away leaves the menu by itself.
  const std::vector<MenuItem*>& Items() const { return items_; }
  int Count() const { return int(items_.size()); }
  MenuItem* Item(int index) const { return items_.at(size_t(index)); }
  void Add(MenuItem* item);
  void Insert(int index, MenuItem* item);
  void Remove(MenuItem* item);

  // Opens the menu with its top-left corner at a screen point (moved to stay on the
  // screen); OnPopup runs first. Returns at once.
  virtual void Popup(int x, int y);
  bool IsOpen() const;
  void CloseMenu();

  // Right clicks on a control whose PopupMenu this is open it only when set.
  bool AutoPopup() const { return auto_popup_; }
  void SetAutoPopup(bool on) { auto_popup_ = on; }
  bool OwnerDraw() const { return owner_draw_; }
  virtual void SetOwnerDraw(bool on) { owner_draw_ = on; }

  // The font items are drawn in (the desktop's menu font unless changed).
  const fw::Font& GetFont() const { return font_; }
  void SetFont(const fw::Font& font) { font_ = font; }

  // Measuring and drawing of one item; the defaults give the classic look.
  virtual void MeasureItem(MenuItem& item, Canvas& canvas, int& width, int& height);
  virtual void DrawItem(MenuItem& item, Canvas& canvas, const Rect& rect, bool selected);
  // The border around the items and its thickness.
  virtual void DrawFrame(Canvas& canvas, const Rect& bounds);
  virtual int FrameWidth() const { return 3; }
  // What the menu window uses: the item's own handlers when it has them, else the above.
  void DoMeasureItem(MenuItem& item, Canvas& canvas, int& width, int& height);
  void DoDrawItem(MenuItem& item, Canvas& canvas, const Rect& rect, bool selected);

  // The window of an open (or once opened) menu; null before the first Popup.
  MenuWindow* Window() const { return window_; }

  NotifyEvent OnPopup;

 private:
  friend class MenuItem;
  std::vector<MenuItem*> items_;
  bool auto_popup_ = true;
  bool owner_draw_ = false;
  fw::Font font_;
  MenuWindow* window_ = nullptr;
};

}  // namespace somnara::fw
