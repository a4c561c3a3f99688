#include "skin/theme/skin_theme_items.h"

#include <array>

namespace somnara::skin {

namespace {

constexpr std::array<std::string_view, kThemeColorCount> kColorNames = {
    "SKIN2_TRANSCOLOR",
    "SKIN2_TITLEFONTCOLOR",
    "SKIN2_FORMCOLOR",
    "SKIN2_MENUBARSTARTCOLOR",
    "SKIN2_MENUBARENDCOLOR",
    "SKIN2_TOPSELECTEDMENUCOLOR",
    "SKIN2_TOPSELECTEDMENUBORDERCOLOR",
    "SKIN2_TOPSELECTEDMENUFONTCOLOR",
    "SKIN2_TOPMENUFONTCOLOR",
    "SKIN2_LEFTBARSTARTCOLOR",
    "SKIN2_LEFTBARENDCOLOR",
    "SKIN2_MENUITEMCOLOR",
    "SKIN2_MENUITEMFONTCOLOR",
    "SKIN2_SELECTEDMENUCOLOR",
    "SKIN2_SELECTEDMENUBORDERCOLOR",
    "SKIN2_SELECTEDMENUFONTCOLOR",
    "SKIN2_TOOLBARSTARTCOLOR",
    "SKIN2_TOOLBARENDCOLOR",
    "SKIN2_TOOLBARONCOLOR",
    "SKIN2_TOOLBARBORDERCOLOR",
    "SKIN2_TOOLBARDOWNCOLOR",
    "SKIN2_CONTROLCOLOR",
    "SKIN2_CONTROLBORDERCOLOR",
    "SKIN2_CONTROLFONTCOLOR",
    "SKIN2_BUTTONFONTCOLOR",
    "SKIN2_SCROLLBARCOLOR",
    "SKIN2_TABCONTROLCOLOR",
    "SKIN2_TABCONTROLBORDERCOLOR",
    "SKIN2_TABCONTROLACTIVEFONTCOLOR",
    "SKIN2_TABCONTROLINACTIVEFONTCOLOR",
    "SKIN2_SIDECHANNELCOLOR",
    "SKIN2_SIDECHANNELBORDERCOLOR",
};

constexpr std::array<std::string_view, kThemeBitmapCount> kBitmapNames = {
    "SKIN2_TITLEBAR1",
    "SKIN2_TITLEBAR2",
    "SKIN2_TITLEBAR3",
    "SKIN2_TITLEBAR4",
    "SKIN2_TITLEBAR5",
    "SKIN2_FORMLEFTBORDER",
    "SKIN2_FORMRIGHTBORDER",
    "SKIN2_FORMBOTTOMBORDER1",
    "SKIN2_FORMBOTTOMBORDER2",
    "SKIN2_FORMBOTTOMBORDER3",
    "SKIN2_MINIMIZEDTITLE",
    "SKIN2_TITLEBUTTONS",
    "SKIN2_CHECKEDMENUICON",
    "SKIN2_MENUBAR",
    "SKIN2_TOOLBAR",
    "SKIN2_BUTTON",
    "SKIN2_CHECKBOX",
    "SKIN2_CHECKBOXLIST",
    "SKIN2_RADIOBUTTON",
    "SKIN2_PROGRESSBAR1",
    "SKIN2_PROGRESSBAR2",
    "SKIN2_PROGRESSBAR3",
    "SKIN2_PROGRESSBAR4",
    "SKIN2_TRACKBAR",
    "SKIN2_TRACKBARSLIDER",
    "SKIN2_TRACKBARVSLIDER",
    "SKIN2_SCROLLBARUPBUTTON",
    "SKIN2_SCROLLBAR",
    "SKIN2_SCROLLBARDOWNBUTTON",
    "SKIN2_TABCONTROL",
    "SKIN2_TABCONTROLLINE",
    "SKIN2_SIDECHANNELBAR",
    "SKIN2_SIDECHANNELTITLE",
    "SKIN2_SCROLLBUTTON",
};

constexpr std::array<std::string_view, kThemeIntCount> kIntNames = {
    "SKIN2_TITLEBARICONPOSX",   "SKIN2_TITLEBARICONPOSY",   "SKIN2_TITLEBARCAPTIONTOP",
    "SKIN2_TITLEBARBUTTONPOSX", "SKIN2_TITLEBARBUTTONPOSY", "SKIN2_TITLEBARREGIONMINY",
    "SKIN2_TITLEBARREGIONMAXY", "SKIN2_BOTTOMREGIONMINY",   "SKIN2_BOTTOMREGIONMAXY",
};

constexpr std::array<std::string_view, kThemeBoolCount> kBoolNames = {
    "SKIN2_TITLEFIVESECT",          "SKIN2_BOTTOMBORDERTHREESECT", "SKIN2_TITLEBARNEEDREGION",
    "SKIN2_BOTTOMBORDERNEEDREGION", "SKIN2_TITLEBTNTRANS",         "SKIN2_BUTTONTRANS",
    "SKIN2_CHECKBOXTRANS",          "SKIN2_RADIOBUTTONTRANS",      "SKIN2_TABCONTROLTRANS",
};

template <size_t N>
std::string_view NameAt(const std::array<std::string_view, N>& names, int position) {
  if (position < 0 || position >= static_cast<int>(N)) return {};
  return names[static_cast<size_t>(position)];
}

}  // namespace

std::string_view ThemeItemName(ThemeColor item) {
  return NameAt(kColorNames, static_cast<int>(item));
}
std::string_view ThemeItemName(ThemeBitmap item) {
  return NameAt(kBitmapNames, static_cast<int>(item));
}
std::string_view ThemeItemName(ThemeInt item) {
  return NameAt(kIntNames, static_cast<int>(item));
}
std::string_view ThemeItemName(ThemeBool item) {
  return NameAt(kBoolNames, static_cast<int>(item));
}

}  // namespace somnara::skin
