#pragma once

#include <cstdint>
#include <vector>

#include "framework/component.h"
#include "framework/events.h"
#include "framework/graphics/font.h"
#include "platform/geometry.h"

namespace somnara::fw {

class Canvas;
class ImageList;
class MenuItem;

// The desktop's menu font: what menus draw in unless told otherwise.
Font SystemMenuFont();

// What every menu shares: a tree of items, the pictures items may show, and how an item is
// measured and drawn. A popup menu opens from a point; a main menu is shown by the window
// that carries it. Items tell their menu when they are added, removed or changed, and the
// menu passes that on through MenuChanged and OnChange.
class Menu : public Component {
 public:
  explicit Menu(Component* owner);
  ~Menu() override;
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

  bool OwnerDraw() const { return owner_draw_; }
  virtual void SetOwnerDraw(bool on) { owner_draw_ = on; }
  // The pictures items show by their ImageIndex; none by default.
  ImageList* Images() const { return images_; }
  virtual void SetImages(ImageList* images);

  // The font items are drawn in (the desktop's menu font unless changed).
  const fw::Font& GetFont() const { return font_; }
  void SetFont(const fw::Font& font) { font_ = font; }

  // Measuring and drawing of one item; the defaults give the classic look.
  virtual void MeasureItem(MenuItem& item, Canvas& canvas, int& width, int& height);
  virtual void DrawItem(MenuItem& item, Canvas& canvas, const Rect& rect, bool selected);
  // What a menu's window uses: in an owner-drawn menu the item's own handlers when it has
  // them, else the above.
  void DoMeasureItem(MenuItem& item, Canvas& canvas, int& width, int& height);
  void DoDrawItem(MenuItem& item, Canvas& canvas, const Rect& rect, bool selected);

  // The first item at any depth whose shortcut is `shortcut`, or null.
  MenuItem* FindShortCut(uint16_t shortcut) const;
  // A key press (virtual key and ssShift / ssCtrl / ssAlt bits): when an item with that
  // shortcut is found and it and the items above it are enabled, the item is clicked and
  // the answer is true.
  bool IsShortCut(uint32_t key, unsigned shift);

  // Runs after every change of the items (added, removed, caption, state).
  NotifyEvent OnChange;

 protected:
  // `source` is the item that changed (null when the whole menu did); `rebuild` is true
  // when items came or went rather than changed.
  virtual void MenuChanged(MenuItem* source, bool rebuild);
  void Notification(Component* component, Operation operation) override;

 private:
  friend class MenuItem;
  std::vector<MenuItem*> items_;
  bool owner_draw_ = false;
  ImageList* images_ = nullptr;
  fw::Font font_;
};

}  // namespace somnara::fw
