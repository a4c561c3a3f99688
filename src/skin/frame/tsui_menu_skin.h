#pragma once

#include <string>

#include "framework/class_info.h"
#include "framework/component.h"
#include "framework/graphics/color.h"
#include "framework/graphics/font.h"
#include "platform/geometry.h"
#include "skin/styles/tsui_ui_style.h"
#include "skin/theme/tsui_file_theme.h"

namespace somnara::fw {
class Canvas;
class ImageList;
class Menu;
class MenuItem;
}  // namespace somnara::fw

namespace somnara::skin {

// What the two skinned menus share: the skin properties they publish, the style that
// fills them, and the hooking of every item to the menu's own measuring and drawing.
// A skinned menu class derives from its framework menu and from this, and hands this its
// framework half.
class TsuiMenuSkin {
 public:
  // A popup menu ignores writes of MenuItemHeight under MacOS; a main menu keeps them.
  enum class Kind { kPopup, kMain };

  TsuiMenuSkin(fw::Menu& menu, Kind kind);
  virtual ~TsuiMenuSkin();
  TsuiMenuSkin(const TsuiMenuSkin&) = delete;
  TsuiMenuSkin& operator=(const TsuiMenuSkin&) = delete;

  // Skinned menus always draw their items; writing OwnerDraw changes nothing.
  bool OwnerDraw() const { return true; }
  void SetOwnerDraw(bool) {}
  // Writing either applies the style again.
  TsuiFileTheme* FileTheme() const { return file_theme_; }
  void SetFileTheme(TsuiFileTheme* theme);
  TsuiUIStyle UIStyle() const { return ui_style_; }
  void SetUIStyle(TsuiUIStyle style);

  int MenuItemHeight() const { return menu_item_height_; }
  void SetMenuItemHeight(int height);
  int SeparatorHeight() const { return separator_height_; }
  void SetSeparatorHeight(int height);
  int BarWidth() const { return bar_width_; }
  void SetBarWidth(int width) { bar_width_ = width; }
  fw::Color BarColor() const { return bar_color_; }
  void SetBarColor(fw::Color color) { bar_color_ = color; }
  fw::Color Color() const { return color_; }
  void SetColor(fw::Color color) { color_ = color; }
  fw::Color SeparatorColor() const { return separator_color_; }
  void SetSeparatorColor(fw::Color color) { separator_color_ = color; }
  fw::Color SelectedBorderColor() const { return selected_border_color_; }
  void SetSelectedBorderColor(fw::Color color) { selected_border_color_ = color; }
  fw::Color SelectedColor() const { return selected_color_; }
  void SetSelectedColor(fw::Color color) { selected_color_ = color; }
  fw::Color SelectedFontColor() const { return selected_font_color_; }
  void SetSelectedFontColor(fw::Color color) { selected_font_color_ = color; }
  fw::Color FontColor() const { return font_color_; }
  void SetFontColor(fw::Color color) { font_color_ = color; }
  // Kept for descriptions; nothing is drawn with it.
  fw::Color BorderColor() const { return border_color_; }
  void SetBorderColor(fw::Color color) { border_color_ = color; }
  bool FlatMenu() const { return flat_menu_; }
  void SetFlatMenu(bool on) { flat_menu_ = on; }
  // The font items are drawn in when UseSystemFont is off.
  std::string FontName() const { return font_name_; }
  void SetFontName(const std::string& name) { font_name_ = name; }
  int FontSize() const { return font_size_; }
  void SetFontSize(int points) { font_size_ = points; }
  int FontCharset() const { return font_charset_; }
  void SetFontCharset(int charset) { font_charset_ = charset; }
  bool UseSystemFont() const { return use_system_font_; }
  void SetUseSystemFont(bool on);

  // The font items are drawn in now: the desktop's menu font or the one named above.
  fw::Font ItemFont() const;
  // The window colour of the style in force (the theme's form colour or style item 15).
  fw::Color FormColor() const;

  // Gives every item of the menu, to any depth, this menu's measuring and drawing.
  void HookItems();
  void HookItem(fw::MenuItem& item);

  // The owner-drawn item's size and painting.
  void MeasureItem(fw::MenuItem& item, fw::Canvas& canvas, int& width, int& height);
  void DrawItem(fw::MenuItem& item, fw::Canvas& canvas, const Rect& rect, bool selected);

 protected:
  // The skinned menu's Notification passes its calls here: a theme that goes away leaves
  // the menu in DeepBlue, and menu items put into the owner's care later are hooked.
  void SkinNotification(fw::Component* component, fw::Operation operation);
  // Where the check mark of an item without a picture comes from.
  virtual const fw::ImageList& CheckImages() const = 0;
  virtual void UseSystemFontChanged() {}
  // Sets UIStyle to the style of the skinned frame on the owner form, as at construction.
  void ApplyOwnerStyle();

 private:
  fw::Menu& menu_;
  Kind kind_;
  TsuiFileTheme* file_theme_ = nullptr;
  TsuiUIStyle ui_style_ = TsuiUIStyle::DeepBlue;
  int menu_item_height_ = 21;
  int separator_height_ = 21;
  int bar_width_ = 0;
  fw::Color bar_color_ = fw::clBtnFace;
  fw::Color color_ = fw::clWhite;
  fw::Color separator_color_ = fw::clGray;
  fw::Color selected_border_color_ = fw::clHighlight;
  fw::Color selected_color_ = fw::clHighlight;
  fw::Color selected_font_color_ = fw::clWhite;
  fw::Color font_color_ = fw::clWhite;
  fw::Color border_color_ = fw::clBlack;
  bool flat_menu_ = false;
  std::string font_name_ = "MS Sans Serif";
  int font_size_ = 8;
  int font_charset_ = fw::DEFAULT_CHARSET;
  bool use_system_font_ = true;
};

// FontCharset, written as a number or by name (DEFAULT_CHARSET, ANSI_CHARSET, ...).
int CharsetFromValue(const fw::Value& value);
template <class C>
fw::PropertyInfo MenuCharsetProperty() {
  fw::PropertyInfo p;
  p.name = "FontCharset";
  p.type = fw::PropertyType::kInteger;
  p.get = [](const fw::Component& c) {
    return fw::Value::Integer(static_cast<const C&>(c).FontCharset());
  };
  p.set = [](fw::Component& c, const fw::Value& v) {
    static_cast<C&>(c).SetFontCharset(CharsetFromValue(v));
  };
  return p;
}

// The skin properties, in the order both skinned menus publish them, for a class C that
// derives from TsuiMenuSkin.
template <class C>
void AddMenuSkinProperties(fw::ClassInfo& info) {
  using S = TsuiMenuSkin;
  info.Add(fw::BoolProperty<C>("OwnerDraw", &S::OwnerDraw, &S::SetOwnerDraw));
  info.Add(fw::ReferenceProperty<C, TsuiFileTheme>("FileTheme", &S::FileTheme, &S::SetFileTheme));
  info.Add(
      fw::EnumProperty<C, TsuiUIStyle>("UIStyle", UIStyleNames(), &S::UIStyle, &S::SetUIStyle));
  info.Add(fw::IntegerProperty<C>("MenuItemHeight", &S::MenuItemHeight, &S::SetMenuItemHeight));
  info.Add(fw::IntegerProperty<C>("SeparatorHeight", &S::SeparatorHeight, &S::SetSeparatorHeight));
  info.Add(fw::IntegerProperty<C>("BarWidth", &S::BarWidth, &S::SetBarWidth));
  info.Add(fw::ColorProperty<C>("BarColor", &S::BarColor, &S::SetBarColor));
  info.Add(fw::ColorProperty<C>("Color", &S::Color, &S::SetColor));
  info.Add(fw::ColorProperty<C>("SeparatorColor", &S::SeparatorColor, &S::SetSeparatorColor));
  info.Add(fw::ColorProperty<C>("SelectedBorderColor", &S::SelectedBorderColor,
                                &S::SetSelectedBorderColor));
  info.Add(fw::ColorProperty<C>("SelectedColor", &S::SelectedColor, &S::SetSelectedColor));
  info.Add(
      fw::ColorProperty<C>("SelectedFontColor", &S::SelectedFontColor, &S::SetSelectedFontColor));
  info.Add(fw::ColorProperty<C>("FontColor", &S::FontColor, &S::SetFontColor));
  info.Add(fw::ColorProperty<C>("BorderColor", &S::BorderColor, &S::SetBorderColor));
  info.Add(fw::BoolProperty<C>("FlatMenu", &S::FlatMenu, &S::SetFlatMenu));
  info.Add(fw::StringProperty<C>("FontName", &S::FontName, &S::SetFontName));
  info.Add(fw::IntegerProperty<C>("FontSize", &S::FontSize, &S::SetFontSize));
  info.Add(MenuCharsetProperty<C>());
  info.Add(fw::BoolProperty<C>("UseSystemFont", &S::UseSystemFont, &S::SetUseSystemFont));
}

}  // namespace somnara::skin
