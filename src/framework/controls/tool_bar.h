#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "framework/win_control.h"

namespace somnara::fw {

class PopupMenu;
class ToolButton;

// What a tool button shows now; bits of a set.
enum ToolButtonStateBit : unsigned { tbHot = 1, tbPressed = 2, tbDisabled = 4 };

class ToolBar;
// Drawing of the bar's background, after it has been filled with its colour.
using ToolBarCustomDrawEvent =
    std::function<void(ToolBar* sender, const Rect& rect, bool& default_draw)>;
// Drawing of one button; clearing `default_draw` leaves out the bar's own drawing.
using ToolBarCustomDrawButtonEvent =
    std::function<void(ToolBar* sender, ToolButton* button, unsigned state, bool& default_draw)>;

// A row of tool buttons, placed left to right in their order and, when Wrapable, wrapped
// into further rows where the bar's width ends. With AutoSize the bar's height follows its
// rows. Flat buttons show a frame only while the pointer is over them or they are pressed.
class ToolBar : public CustomControl {
 public:
  explicit ToolBar(Component* owner);
  ~ToolBar() override;
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  // The buttons in order.
  const std::vector<ToolButton*>& Buttons() const { return buttons_; }
  int ButtonCount() const { return int(buttons_.size()); }
  ToolButton* Button(int index) const { return buttons_.at(size_t(index)); }

  bool Flat() const { return flat_; }
  void SetFlat(bool on);
  // A raised edge around the bar (ebTop, ebBottom, ...); none leaves the bar borderless.
  bool EdgeBorders() const { return edge_borders_; }
  void SetEdgeBorders(bool on);
  bool ShowCaptions() const { return show_captions_; }
  void SetShowCaptions(bool on);
  int ButtonWidth() const { return button_width_; }
  void SetButtonWidth(int width);
  int ButtonHeight() const { return button_height_; }
  void SetButtonHeight(int height);
  bool Wrapable() const { return wrapable_; }
  void SetWrapable(bool on);
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool on);

  // Places the buttons (and sizes the bar when AutoSize is on).
  void ArrangeButtons();
  // How a button is drawn when no handler draws it: the bar's own look.
  void DrawButton(ToolButton& button, Canvas& canvas, unsigned state);
  // The menu a button bound to a menu item drops its sub-items in; made on first use.
  PopupMenu& DropDownMenu();

  ToolBarCustomDrawEvent OnCustomDraw;
  ToolBarCustomDrawButtonEvent OnCustomDrawButton;

 protected:
  void EraseBackground(Canvas& canvas) override;
  void Resized() override;
  void FontChanged() override;

 private:
  friend class ToolButton;
  void InsertButton(ToolButton* button);
  void RemoveButton(ToolButton* button);

  std::vector<ToolButton*> buttons_;
  bool flat_ = false;
  bool edge_borders_ = true;
  bool show_captions_ = false;
  int button_width_ = 23;
  int button_height_ = 22;
  bool wrapable_ = true;
  bool auto_size_ = false;
  bool arranging_ = false;
  PopupMenu* drop_down_ = nullptr;
};

}  // namespace somnara::fw
