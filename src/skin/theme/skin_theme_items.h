#pragma once

#include <string_view>

namespace somnara::skin {

// The items that skinned controls ask a skin theme for. Each position names one item of the
// skin's container; colours and integers are integer items, switches are byte items.

enum class ThemeColor : int {
  kTransColor,
  kTitleFontColor,
  kFormColor,
  kMenuBarStartColor,
  kMenuBarEndColor,
  kTopSelectedMenuColor,
  kTopSelectedMenuBorderColor,
  kTopSelectedMenuFontColor,
  kTopMenuFontColor,
  kLeftBarStartColor,
  kLeftBarEndColor,
  kMenuItemColor,
  kMenuItemFontColor,
  kSelectedMenuColor,
  kSelectedMenuBorderColor,
  kSelectedMenuFontColor,
  kToolBarStartColor,
  kToolBarEndColor,
  kToolBarOnColor,
  kToolBarBorderColor,
  kToolBarDownColor,
  kControlColor,
  kControlBorderColor,
  kControlFontColor,
  kButtonFontColor,
  kScrollBarColor,
  kTabControlColor,
  kTabControlBorderColor,
  kTabControlActiveFontColor,
  kTabControlInactiveFontColor,
  kSideChannelColor,
  kSideChannelBorderColor,
};
inline constexpr int kThemeColorCount = 32;

enum class ThemeBitmap : int {
  kTitleBar1,
  kTitleBar2,
  kTitleBar3,
  kTitleBar4,
  kTitleBar5,
  kFormLeftBorder,
  kFormRightBorder,
  kFormBottomBorder1,
  kFormBottomBorder2,
  kFormBottomBorder3,
  kMinimizedTitle,
  kTitleButtons,
  kCheckedMenuIcon,
  kMenuBar,
  kToolBar,
  kButton,
  kCheckBox,
  kCheckBoxList,
  kRadioButton,
  kProgressBar1,
  kProgressBar2,
  kProgressBar3,
  kProgressBar4,
  kTrackBar,
  kTrackBarSlider,
  kTrackBarVSlider,
  kScrollBarUpButton,
  kScrollBar,
  kScrollBarDownButton,
  kTabControl,
  kTabControlLine,
  kSideChannelBar,
  kSideChannelTitle,
  kScrollButton,
};
inline constexpr int kThemeBitmapCount = 34;

enum class ThemeInt : int {
  kTitleBarIconPosX,
  kTitleBarIconPosY,
  kTitleBarCaptionTop,
  kTitleBarButtonPosX,
  kTitleBarButtonPosY,
  kTitleBarRegionMinY,
  kTitleBarRegionMaxY,
  kBottomRegionMinY,
  kBottomRegionMaxY,
};
inline constexpr int kThemeIntCount = 9;

enum class ThemeBool : int {
  kTitleFiveSect,
  kBottomBorderThreeSect,
  kTitleBarNeedRegion,
  kBottomBorderNeedRegion,
  kTitleBtnTrans,
  kButtonTrans,
  kCheckBoxTrans,
  kRadioButtonTrans,
  kTabControlTrans,
};
inline constexpr int kThemeBoolCount = 9;

// The item name of a position ("SKIN2_TRANSCOLOR", ...); empty for a value outside the
// enumeration.
std::string_view ThemeItemName(ThemeColor item);
std::string_view ThemeItemName(ThemeBitmap item);
std::string_view ThemeItemName(ThemeInt item);
std::string_view ThemeItemName(ThemeBool item);

}  // namespace somnara::skin
