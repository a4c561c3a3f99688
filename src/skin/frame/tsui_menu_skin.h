#pragma once

#include <string>
#include <vector>

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

// One skin property of a class C derived from TsuiMenuSkin. The accessors are called on
// the TsuiMenuSkin part itself, so no member pointer crosses from one base to the class.
template <class C, class Get, class Set>
fw::PropertyInfo MenuSkinProperty(std::string name, fw::PropertyType type, Get get, Set set,
                                  std::vector<std::string> names = {}) {
  fw::PropertyInfo p;
  p.name = std::move(name);
  p.type = type;
  p.names = std::move(names);
  p.get = [get](const fw::Component& c) {
    return get(static_cast<const TsuiMenuSkin&>(static_cast<const C&>(c)));
  };
  p.set = [set](fw::Component& c, const fw::Value& v) {
    set(static_cast<TsuiMenuSkin&>(static_cast<C&>(c)), v);
  };
  return p;
}

// The skin properties, in the order both skinned menus publish them, for a class C that
// derives from TsuiMenuSkin.
template <class C>
void AddMenuSkinProperties(fw::ClassInfo& info) {
  using S = TsuiMenuSkin;
  using T = fw::PropertyType;
  using V = fw::Value;
  auto flag = [&info](const char* name, bool (S::*get)() const, void (S::*set)(bool)) {
    info.Add(MenuSkinProperty<C>(
        name, T::kBoolean, [get](const S& s) { return V::Bool((s.*get)()); },
        [set](S& s, const V& v) { (s.*set)(fw::ValueToBool(v)); }));
  };
  auto number = [&info](const char* name, int (S::*get)() const, void (S::*set)(int)) {
    info.Add(MenuSkinProperty<C>(
        name, T::kInteger, [get](const S& s) { return V::Integer((s.*get)()); },
        [set](S& s, const V& v) { (s.*set)(int(fw::ValueToInteger(v))); }));
  };
  auto colour = [&info](const char* name, fw::Color (S::*get)() const, void (S::*set)(fw::Color)) {
    info.Add(MenuSkinProperty<C>(
        name, T::kColor, [get](const S& s) { return V::Integer((s.*get)()); },
        [set](S& s, const V& v) { (s.*set)(fw::ValueToColor(v)); }));
  };
  flag("OwnerDraw", &S::OwnerDraw, &S::SetOwnerDraw);
  info.Add(MenuSkinProperty<C>(
      "FileTheme", T::kReference, [](const S& s) { return V::Of(s.FileTheme()); },
      [](S& s, const V& v) {
        TsuiFileTheme* theme = nullptr;
        if (v.kind == V::Kind::kComponent && v.component != nullptr) {
          theme = dynamic_cast<TsuiFileTheme*>(v.component);
          if (theme == nullptr)
            throw fw::Exception("Invalid property value: " + v.component->Name());
        }
        s.SetFileTheme(theme);
      }));
  info.Add(MenuSkinProperty<C>(
      "UIStyle", T::kEnum, [](const S& s) { return V::Identifier(UIStyleName(s.UIStyle())); },
      [](S& s, const V& v) { s.SetUIStyle(TsuiUIStyle(fw::ValueToEnum(v, UIStyleNames()))); },
      UIStyleNames()));
  number("MenuItemHeight", &S::MenuItemHeight, &S::SetMenuItemHeight);
  number("SeparatorHeight", &S::SeparatorHeight, &S::SetSeparatorHeight);
  number("BarWidth", &S::BarWidth, &S::SetBarWidth);
  colour("BarColor", &S::BarColor, &S::SetBarColor);
  colour("Color", &S::Color, &S::SetColor);
  colour("SeparatorColor", &S::SeparatorColor, &S::SetSeparatorColor);
  colour("SelectedBorderColor", &S::SelectedBorderColor, &S::SetSelectedBorderColor);
  colour("SelectedColor", &S::SelectedColor, &S::SetSelectedColor);
  colour("SelectedFontColor", &S::SelectedFontColor, &S::SetSelectedFontColor);
  colour("FontColor", &S::FontColor, &S::SetFontColor);
  colour("BorderColor", &S::BorderColor, &S::SetBorderColor);
  flag("FlatMenu", &S::FlatMenu, &S::SetFlatMenu);
  info.Add(MenuSkinProperty<C>(
      "FontName", T::kString, [](const S& s) { return V::String(s.FontName()); },
      [](S& s, const V& v) { s.SetFontName(fw::ValueToString(v)); }));
  number("FontSize", &S::FontSize, &S::SetFontSize);
  info.Add(MenuSkinProperty<C>(
      "FontCharset", T::kInteger, [](const S& s) { return V::Integer(s.FontCharset()); },
      [](S& s, const V& v) { s.SetFontCharset(CharsetFromValue(v)); }));
  flag("UseSystemFont", &S::UseSystemFont, &S::SetUseSystemFont);
}

}  // namespace somnara::skin
