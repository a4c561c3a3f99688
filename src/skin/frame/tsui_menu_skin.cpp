#include "skin/frame/tsui_menu_skin.h"

#include "framework/controls/menu.h"
#include "framework/controls/menu_item.h"
#include "skin/frame/menu_item_painter.h"
#include "skin/styles/sui_style_catalogue.h"

namespace somnara::skin {
namespace {

void HookTree(TsuiMenuSkin& skin, const std::vector<fw::MenuItem*>& items) {
  for (fw::MenuItem* item : items) {
    skin.HookItem(*item);
    HookTree(skin, item->Items());
  }
}

void UnhookTree(const std::vector<fw::MenuItem*>& items) {
  for (fw::MenuItem* item : items) {
    item->OnMeasureItem = nullptr;
    item->OnDrawItem = nullptr;
    UnhookTree(item->Items());
  }
}

}  // namespace

int CharsetFromValue(const fw::Value& value) {
  if (value.kind != fw::Value::Kind::kIdentifier) return int(fw::ValueToInteger(value));
  if (fw::SameText(value.text, "ANSI_CHARSET")) return fw::ANSI_CHARSET;
  if (fw::SameText(value.text, "GB2312_CHARSET")) return fw::GB2312_CHARSET;
  return fw::DEFAULT_CHARSET;
}

TsuiMenuSkin::TsuiMenuSkin(fw::Menu& menu, Kind kind) : menu_(menu), kind_(kind) {}

// Items outlive their menu when their owner keeps them; they must not call back into it.
TsuiMenuSkin::~TsuiMenuSkin() {
  UnhookTree(menu_.Items());
}

void TsuiMenuSkin::ApplyOwnerStyle() {
  SetUIStyle(OwnerFormStyle(menu_.Owner()));
}

void TsuiMenuSkin::SetFileTheme(TsuiFileTheme* theme) {
  if (file_theme_ != nullptr) file_theme_->RemoveFreeNotification(&menu_);
  file_theme_ = theme;
  if (file_theme_ != nullptr) file_theme_->FreeNotification(&menu_);
  SetUIStyle(ui_style_);
}

void TsuiMenuSkin::SetUIStyle(TsuiUIStyle style) {
  ui_style_ = style;
  bar_width_ = 26;
  if (style == TsuiUIStyle::MacOS) {
    menu_item_height_ = 20;
    separator_height_ = 12;
    separator_color_ = fw::clBlack;
  } else {
    menu_item_height_ = 21;
    separator_height_ = 5;
    separator_color_ = fw::MakeColor(0x84, 0x82, 0x84);
  }
  const ResolvedStyle resolved = ResolveStyle(file_theme_, style);
  if (resolved.use_theme) {
    // A colour the skin lacks reads as -1 and is used as it comes.
    auto theme = [this](ThemeColor item) { return fw::Color(file_theme_->GetThemeColor(item)); };
    bar_color_ = theme(ThemeColor::kLeftBarStartColor);
    color_ = theme(ThemeColor::kMenuItemColor);
    font_color_ = theme(ThemeColor::kMenuItemFontColor);
    selected_border_color_ = theme(ThemeColor::kSelectedMenuBorderColor);
    selected_color_ = theme(ThemeColor::kSelectedMenuColor);
    selected_font_color_ = theme(ThemeColor::kSelectedMenuFontColor);
  } else {
    auto item = [&resolved](StyleItem which) { return GetStyleColor(resolved.style, which); };
    bar_color_ = item(StyleItem::kMenuBarColour);
    color_ = item(StyleItem::kMenuItemColour);
    font_color_ = item(StyleItem::kMenuItemFontColour);
    selected_border_color_ = item(StyleItem::kMenuSelectedBorderColour);
    selected_color_ = item(StyleItem::kMenuSelectedColour);
    selected_font_color_ = item(StyleItem::kMenuSelectedFontColour);
  }
}

// MacOS items and separators take the height of their pictures.
void TsuiMenuSkin::SetMenuItemHeight(int height) {
  if (kind_ == Kind::kPopup && ui_style_ == TsuiUIStyle::MacOS) return;
  menu_item_height_ = height;
}

void TsuiMenuSkin::SetSeparatorHeight(int height) {
  if (ui_style_ == TsuiUIStyle::MacOS) return;
  separator_height_ = height;
}

void TsuiMenuSkin::SetUseSystemFont(bool on) {
  use_system_font_ = on;
  UseSystemFontChanged();
}

fw::Font TsuiMenuSkin::ItemFont() const {
  if (use_system_font_) return fw::SystemMenuFont();
  fw::Font font;
  font.SetName(font_name_);
  font.SetSize(font_size_);
  font.SetCharset(font_charset_);
  return font;
}

fw::Color TsuiMenuSkin::FormColor() const {
  const ResolvedStyle resolved = ResolveStyle(file_theme_, ui_style_);
  if (resolved.use_theme) return fw::Color(file_theme_->GetThemeColor(ThemeColor::kFormColor));
  return GetStyleColor(resolved.style, StyleItem::kClientColour);
}

void TsuiMenuSkin::HookItems() {
  HookTree(*this, menu_.Items());
}

void TsuiMenuSkin::HookItem(fw::MenuItem& item) {
  item.OnMeasureItem = [this](fw::Component* sender, fw::Canvas& canvas, int& width, int& height) {
    MeasureItem(static_cast<fw::MenuItem&>(*sender), canvas, width, height);
  };
  item.OnDrawItem = [this](fw::Component* sender, fw::Canvas& canvas, const Rect& rect,
                           bool selected) {
    DrawItem(static_cast<fw::MenuItem&>(*sender), canvas, rect, selected);
  };
}

void TsuiMenuSkin::MeasureItem(fw::MenuItem& item, fw::Canvas& canvas, int& width, int& height) {
  MeasureSkinnedMenuItem(*this, item, canvas, width, height);
}

void TsuiMenuSkin::DrawItem(fw::MenuItem& item, fw::Canvas& canvas, const Rect& rect,
                            bool selected) {
  DrawSkinnedMenuItem(*this, {menu_.Images(), &CheckImages()}, item, canvas, rect, selected);
}

void TsuiMenuSkin::SkinNotification(fw::Component* component, fw::Operation operation) {
  if (operation == fw::Operation::kRemove && component == file_theme_ && file_theme_ != nullptr) {
    file_theme_ = nullptr;
    SetUIStyle(TsuiUIStyle::DeepBlue);
  } else if (operation == fw::Operation::kInsert) {
    // Items made with the owner directly are not items yet while they are being
    // inserted; those moved to the owner are, and draw like the others from then on.
    if (auto* item = dynamic_cast<fw::MenuItem*>(component)) HookItem(*item);
  }
}

}  // namespace somnara::skin
