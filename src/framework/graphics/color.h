#pragma once

#include <cstdint>

namespace somnara::fw {

// A colour word: 0x00BBGGRR, red in the low byte. A top byte of 0xFF names a system
// colour by its index in the low byte (0xFF00000F is the button face).
using Color = uint32_t;

constexpr Color MakeColor(uint8_t r, uint8_t g, uint8_t b) {
  return Color(r) | (Color(g) << 8) | (Color(b) << 16);
}
constexpr uint8_t RedOf(Color c) {
  return uint8_t(c & 0xFF);
}
constexpr uint8_t GreenOf(Color c) {
  return uint8_t((c >> 8) & 0xFF);
}
constexpr uint8_t BlueOf(Color c) {
  return uint8_t((c >> 16) & 0xFF);
}

// System colour indexes of the classic desktop.
enum SystemColorIndex : int {
  COLOR_SCROLLBAR = 0,
  COLOR_BACKGROUND = 1,
  COLOR_ACTIVECAPTION = 2,
  COLOR_INACTIVECAPTION = 3,
  COLOR_MENU = 4,
  COLOR_WINDOW = 5,
  COLOR_WINDOWFRAME = 6,
  COLOR_MENUTEXT = 7,
  COLOR_WINDOWTEXT = 8,
  COLOR_CAPTIONTEXT = 9,
  COLOR_ACTIVEBORDER = 10,
  COLOR_INACTIVEBORDER = 11,
  COLOR_APPWORKSPACE = 12,
  COLOR_HIGHLIGHT = 13,
  COLOR_HIGHLIGHTTEXT = 14,
  COLOR_BTNFACE = 15,
  COLOR_BTNSHADOW = 16,
  COLOR_GRAYTEXT = 17,
  COLOR_BTNTEXT = 18,
  COLOR_INACTIVECAPTIONTEXT = 19,
  COLOR_BTNHIGHLIGHT = 20,
  COLOR_3DDKSHADOW = 21,
  COLOR_3DLIGHT = 22,
  COLOR_INFOTEXT = 23,
  COLOR_INFOBK = 24,
  COLOR_UNUSED25 = 25,
  COLOR_HOTLIGHT = 26,
  COLOR_GRADIENTACTIVECAPTION = 27,
  COLOR_GRADIENTINACTIVECAPTION = 28,
  COLOR_MENUHILIGHT = 29,
  COLOR_MENUBAR = 30,
  kSystemColorCount = 31,
};

constexpr Color kSystemColorFlag = 0xFF000000;
constexpr Color SystemColorRef(int index) {
  return kSystemColorFlag | Color(index);
}
constexpr bool IsSystemColor(Color c) {
  return (c & 0xFF000000) == kSystemColorFlag;
}

// Plain colours.
constexpr Color clBlack = 0x000000;
constexpr Color clMaroon = 0x000080;
constexpr Color clGreen = 0x008000;
constexpr Color clOlive = 0x008080;
constexpr Color clNavy = 0x800000;
constexpr Color clPurple = 0x800080;
constexpr Color clTeal = 0x808000;
constexpr Color clGray = 0x808080;
constexpr Color clSilver = 0xC0C0C0;
constexpr Color clRed = 0x0000FF;
constexpr Color clLime = 0x00FF00;
constexpr Color clYellow = 0x00FFFF;
constexpr Color clBlue = 0xFF0000;
constexpr Color clFuchsia = 0xFF00FF;
constexpr Color clAqua = 0xFFFF00;
constexpr Color clWhite = 0xFFFFFF;
constexpr Color clMoneyGreen = 0xC0DCC0;
constexpr Color clSkyBlue = 0xF0CAA6;
constexpr Color clCream = 0xF0FBFF;
constexpr Color clMedGray = 0xA4A0A0;
// No colour at all (nothing is painted), and "whatever the owner uses".
constexpr Color clNone = 0x1FFFFFFF;
constexpr Color clDefault = 0x20000000;

// System colour references.
constexpr Color clScrollBar = SystemColorRef(COLOR_SCROLLBAR);
constexpr Color clBackground = SystemColorRef(COLOR_BACKGROUND);
constexpr Color clActiveCaption = SystemColorRef(COLOR_ACTIVECAPTION);
constexpr Color clInactiveCaption = SystemColorRef(COLOR_INACTIVECAPTION);
constexpr Color clMenu = SystemColorRef(COLOR_MENU);
constexpr Color clWindow = SystemColorRef(COLOR_WINDOW);
constexpr Color clWindowFrame = SystemColorRef(COLOR_WINDOWFRAME);
constexpr Color clMenuText = SystemColorRef(COLOR_MENUTEXT);
constexpr Color clWindowText = SystemColorRef(COLOR_WINDOWTEXT);
constexpr Color clCaptionText = SystemColorRef(COLOR_CAPTIONTEXT);
constexpr Color clActiveBorder = SystemColorRef(COLOR_ACTIVEBORDER);
constexpr Color clInactiveBorder = SystemColorRef(COLOR_INACTIVEBORDER);
constexpr Color clAppWorkSpace = SystemColorRef(COLOR_APPWORKSPACE);
constexpr Color clHighlight = SystemColorRef(COLOR_HIGHLIGHT);
constexpr Color clHighlightText = SystemColorRef(COLOR_HIGHLIGHTTEXT);
constexpr Color clBtnFace = SystemColorRef(COLOR_BTNFACE);
constexpr Color clBtnShadow = SystemColorRef(COLOR_BTNSHADOW);
constexpr Color clGrayText = SystemColorRef(COLOR_GRAYTEXT);
constexpr Color clBtnText = SystemColorRef(COLOR_BTNTEXT);
constexpr Color clInactiveCaptionText = SystemColorRef(COLOR_INACTIVECAPTIONTEXT);
constexpr Color clBtnHighlight = SystemColorRef(COLOR_BTNHIGHLIGHT);
constexpr Color cl3DDkShadow = SystemColorRef(COLOR_3DDKSHADOW);
constexpr Color cl3DLight = SystemColorRef(COLOR_3DLIGHT);
constexpr Color clInfoText = SystemColorRef(COLOR_INFOTEXT);
constexpr Color clInfoBk = SystemColorRef(COLOR_INFOBK);
constexpr Color clHotLight = SystemColorRef(COLOR_HOTLIGHT);
constexpr Color clGradientActiveCaption = SystemColorRef(COLOR_GRADIENTACTIVECAPTION);
constexpr Color clGradientInactiveCaption = SystemColorRef(COLOR_GRADIENTINACTIVECAPTION);
constexpr Color clMenuHighlight = SystemColorRef(COLOR_MENUHILIGHT);
constexpr Color clMenuBar = SystemColorRef(COLOR_MENUBAR);

// The plain colour (0x00BBGGRR) of a system colour index; black for indexes out of range.
Color SystemColor(int index);

// A plain colour word: system references resolved, clNone and clDefault read as black,
// any other top byte dropped.
Color ResolveColor(Color c);

// Colour word -> pixel 0x00RRGGBB (system colours resolved), and back.
uint32_t ColorToRgb(Color c);
constexpr Color RgbToColor(uint32_t rgb) {
  return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

}  // namespace somnara::fw
