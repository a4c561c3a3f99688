#pragma once

#include <string_view>

#include "framework/graphics/font.h"
#include "platform/geometry.h"
#include "skin/styles/tsui_ui_style.h"

namespace somnara::fw {
class Canvas;
class Menu;
}  // namespace somnara::fw

namespace somnara::skin {

class TsuiFileTheme;

// What a frame's menu bar is drawn with: the skinned main menu's style, theme and font
// when the frame's menu is one, else the frame's style and theme and the desktop's menu
// font.
struct MenuBarLook {
  TsuiUIStyle style = TsuiUIStyle::DeepBlue;
  TsuiFileTheme* theme = nullptr;
  fw::Font font;
};
MenuBarLook MenuBarLookOf(const fw::Menu* menu, TsuiUIStyle frame_style,
                          TsuiFileTheme* frame_theme);

// One button of the menu bar in `rect` of `canvas` with its caption, in the state given by
// fw::ToolButtonStateBit bits: a hot or pressed button on the selected colours (MacOS: its
// picture), any other on the bar with the menu font colour, grey when disabled.
void DrawMenuBarItem(const MenuBarLook& look, fw::Canvas& canvas, const Rect& rect,
                     std::string_view caption, unsigned state);

// The bar behind the buttons: MacOS stretches its menu bar picture over it; the other
// styles leave the bar's colour.
void DrawMenuBarBackground(const MenuBarLook& look, fw::Canvas& canvas, const Rect& rect);

}  // namespace somnara::skin
