#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/bitmap.h"
#include "skin/frame/tsui_collection_item.h"
#include "skin/styles/tsui_ui_style.h"

namespace somnara::fw {
class PopupMenu;
}

namespace somnara::skin {

class TsuiTitleBar;
class TsuiTitleBarButtons;

enum class TsuiTitleBarBtnType { suiMax, suiMin, suiClose, suiHelp, suiControlBox, suiCustom };
const std::vector<std::string>& TitleBarBtnTypeNames();

// One button of a title bar: three pictures (normal, hovered, pressed) cut from the
// style's or the theme's strip of 18 button pictures, unless it is a custom button.
class TsuiTitleBarButton {
 public:
  explicit TsuiTitleBarButton(TsuiTitleBarButtons& buttons) : buttons_(&buttons) {}

  TsuiUIStyle UIStyle() const { return ui_style_; }
  // Reloads the pictures; repaints nothing by itself.
  void SetUIStyle(TsuiUIStyle style);
  TsuiTitleBarBtnType ButtonType() const { return type_; }
  // A second control box of the collection is refused with an error box.
  void SetButtonType(TsuiTitleBarBtnType type);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on);
  // Stored and restyled; the title bar draws every button at its own button top.
  int Top() const { return top_; }
  void SetTop(int top);
  fw::PopupMenu* ControlBoxMenu() const { return control_box_menu_; }
  void SetControlBoxMenu(fw::PopupMenu* menu);
  bool Visible() const { return visible_; }
  void SetVisible(bool on);
  const fw::Bitmap& PicNormal() const { return pic_normal_; }
  void SetPicNormal(const fw::Bitmap& picture);
  const fw::Bitmap& PicMouseOn() const { return pic_mouse_on_; }
  void SetPicMouseOn(const fw::Bitmap& picture);
  const fw::Bitmap& PicMouseDown() const { return pic_mouse_down_; }
  void SetPicMouseDown(const fw::Bitmap& picture);

  // The pictures of the button's type from the strip of its style (or the theme).
  void UpdatePictures();
  // A maximise button shows the restore pictures while its form is maximised.
  void UpdateMaxRestore();
  // What a click does: maximise or restore, minimise, close, or open the control-box menu.
  void DoClick();

  // Visible, ButtonType, Transparent, Top, UIStyle, then the three pictures and the
  // control-box menu, so the copied pictures win over the style's.
  void Assign(const TsuiTitleBarButton& other);
  int Index() const;
  TsuiTitleBar* TitleBar() const;

 private:
  void Changed();
  // Pieces first..first+2 of the strip into the three pictures.
  void LoadPieces(int first);

  TsuiTitleBarButtons* buttons_;
  TsuiUIStyle ui_style_ = TsuiUIStyle::DeepBlue;
  TsuiTitleBarBtnType type_ = TsuiTitleBarBtnType::suiCustom;
  bool transparent_ = false;
  int top_ = 2;
  fw::PopupMenu* control_box_menu_ = nullptr;
  bool visible_ = true;
  fw::Bitmap pic_normal_;
  fw::Bitmap pic_mouse_on_;
  fw::Bitmap pic_mouse_down_;
};

// The buttons of a title bar; any change repaints the title bar.
class TsuiTitleBarButtons {
 public:
  explicit TsuiTitleBarButtons(TsuiTitleBar* title_bar) : title_bar_(title_bar) {}
  TsuiTitleBarButtons(const TsuiTitleBarButtons&) = delete;
  TsuiTitleBarButtons& operator=(const TsuiTitleBarButtons&) = delete;

  TsuiTitleBar* TitleBar() const { return title_bar_; }
  int Count() const { return int(items_.size()); }
  TsuiTitleBarButton& Item(int index) { return *items_.at(size_t(index)); }
  const TsuiTitleBarButton& Item(int index) const { return *items_.at(size_t(index)); }
  TsuiTitleBarButton& Add();
  void Clear();
  // Copies item by item.
  void Assign(const TsuiTitleBarButtons& other);
  int IndexOf(const TsuiTitleBarButton* button) const;
  bool HasControlBoxOtherThan(const TsuiTitleBarButton* except) const;
  // Whether a visible button of this type exists.
  bool HasVisible(TsuiTitleBarBtnType type) const;

  static const std::vector<ItemProperty<TsuiTitleBarButton>>& ItemProperties();
  void Changed();
  // Counts the changes, so that a painter can tell whether what it drew is still current.
  uint64_t Generation() const { return generation_; }

 private:
  TsuiTitleBar* title_bar_;
  uint64_t generation_ = 0;
  std::vector<std::unique_ptr<TsuiTitleBarButton>> items_;
};

}  // namespace somnara::skin
