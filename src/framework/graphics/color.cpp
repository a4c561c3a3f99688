#include "framework/graphics/color.h"

namespace somnara::fw {
namespace {
// The classic desktop scheme.
constexpr Color kSystemColors[kSystemColorCount] = {
    MakeColor(212, 208, 200),  // scroll bar
    MakeColor(58, 110, 165),   // desktop
    MakeColor(10, 36, 106),    // active caption
    MakeColor(128, 128, 128),  // inactive caption
    MakeColor(212, 208, 200),  // menu
    MakeColor(255, 255, 255),  // window
    MakeColor(0, 0, 0),        // window frame
    MakeColor(0, 0, 0),        // menu text
    MakeColor(0, 0, 0),        // window text
    MakeColor(255, 255, 255),  // caption text
    MakeColor(212, 208, 200),  // active border
    MakeColor(212, 208, 200),  // inactive border
    MakeColor(128, 128, 128),  // application work space
    MakeColor(10, 36, 106),    // highlight
    MakeColor(255, 255, 255),  // highlight text
    MakeColor(212, 208, 200),  // button face
    MakeColor(128, 128, 128),  // button shadow
    MakeColor(128, 128, 128),  // grey text
    MakeColor(0, 0, 0),        // button text
    MakeColor(212, 208, 200),  // inactive caption text
    MakeColor(255, 255, 255),  // button highlight
    MakeColor(64, 64, 64),     // 3-D dark shadow
    MakeColor(212, 208, 200),  // 3-D light
    MakeColor(0, 0, 0),        // tooltip text
    MakeColor(255, 255, 225),  // tooltip background
    MakeColor(181, 181, 181),  // (unused slot)
    MakeColor(0, 0, 128),      // hot-tracked item
    MakeColor(166, 202, 240),  // active caption gradient
    MakeColor(192, 192, 192),  // inactive caption gradient
    MakeColor(10, 36, 106),    // menu highlight
    MakeColor(212, 208, 200),  // menu bar
};
}  // namespace

Color SystemColor(int index) {
  if (index < 0 || index >= kSystemColorCount) return clBlack;
  return kSystemColors[index];
}

Color ResolveColor(Color c) {
  if (IsSystemColor(c)) return SystemColor(int(c & 0xFF));
  if (c == clNone || c == clDefault) return clBlack;
  return c & 0x00FFFFFF;
}

uint32_t ColorToRgb(Color c) {
  Color plain = ResolveColor(c);
  return ((plain & 0xFF) << 16) | (plain & 0xFF00) | ((plain >> 16) & 0xFF);
}

}  // namespace somnara::fw
