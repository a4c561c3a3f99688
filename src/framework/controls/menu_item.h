#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/component.h"
#include "framework/controls/short_cut.h"
#include "framework/events.h"
#include "platform/geometry.h"

namespace somnara::fw {

class Canvas;
class Menu;

// Owner drawing of a menu item: its size, then its painting (selected = highlighted).
using MenuMeasureItemEvent =
    std::function<void(Component* sender, Canvas& canvas, int& width, int& height)>;
using MenuDrawItemEvent =
    std::function<void(Component* sender, Canvas& canvas, const Rect& rect, bool selected)>;

// One entry of a menu: a caption ("-" makes a separator) with an optional access key
// ("&Open"), a shortcut shown at the right ("F1"), a check mark and a picture of the
// menu's image list. Every change is reported to the menu the item belongs to. In a window
// description items are nested in their menu (or in another item, for a sub-menu) and are
// handed it through SetParentComponent.
class MenuItem : public Component {
 public:
  explicit MenuItem(Component* owner);
  ~MenuItem() override;
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  std::string Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool IsSeparator() const { return caption_ == "-"; }
  fw::ShortCut ShortCut() const { return shortcut_; }
  void SetShortCut(fw::ShortCut shortcut);
  // The shortcut as shown; a text naming no key is shown as written.
  std::string ShortCutText() const { return shortcut_text_; }
  void SetShortCutText(const std::string& text);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  bool Visible() const { return visible_; }
  void SetVisible(bool on);
  bool Checked() const { return checked_; }
  void SetChecked(bool on);
  bool Default() const { return default_; }
  void SetDefault(bool on);
  bool RadioItem() const { return radio_item_; }
  void SetRadioItem(bool on) { radio_item_ = on; }
  int ImageIndex() const { return image_index_; }
  void SetImageIndex(int index);
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }
  std::string Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }

  // Sub-items.
  const std::vector<MenuItem*>& Items() const { return items_; }
  int Count() const { return int(items_.size()); }
  MenuItem* Item(int index) const { return items_.at(size_t(index)); }
  void Add(MenuItem* item);
  void Insert(int index, MenuItem* item);
  void Remove(MenuItem* item);
  MenuItem* ParentItem() const { return parent_item_; }
  // The menu this item belongs to, directly or through its parent items.
  fw::Menu* Menu() const;

  void SetParentComponent(Component* parent) override;

  // Runs OnClick when the item is enabled.
  virtual void Click();

  NotifyEvent OnClick;
  MenuMeasureItemEvent OnMeasureItem;
  MenuDrawItemEvent OnDrawItem;

 private:
  friend class fw::Menu;
  void Detach();
  // Tells the menu, when there is one; `rebuild` when items came or went.
  void Changed(bool rebuild);

  std::string caption_;
  fw::ShortCut shortcut_ = 0;
  std::string shortcut_text_;
  bool enabled_ = true;
  bool visible_ = true;
  bool checked_ = false;
  bool default_ = false;
  bool radio_item_ = false;
  int image_index_ = -1;
  int tag_ = 0;
  std::string hint_;
  std::vector<MenuItem*> items_;
  MenuItem* parent_item_ = nullptr;
  fw::Menu* menu_ = nullptr;
};

}  // namespace somnara::fw
