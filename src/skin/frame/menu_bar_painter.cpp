#include "skin/frame/menu_bar_painter.h"

#include "framework/controls/menu.h"
#include "framework/controls/tool_bar.h"
#include "framework/graphics/canvas.h"
#include "skin/frame/tsui_main_menu.h"
#include "skin/styles/sui_style_bitmaps.h"
#include "skin/styles/sui_style_catalogue.h"

namespace somnara::skin {
namespace {

constexpr unsigned kCentred = fw::DT_CENTER | fw::DT_VCENTER | fw::DT_SINGLELINE;

fw::Color Colour(const MenuBarLook& look, ThemeColor theme_item, StyleItem style_item) {
  const ResolvedStyle resolved = ResolveStyle(look.theme, look.style);
  if (resolved.use_theme) return fw::Color(look.theme->GetThemeColor(theme_item));
  return GetStyleColor(resolved.style, style_item);
}

const fw::Bitmap& MacPicture(bool selected) {
  struct Pictures {
    Pictures() {
      if (!LoadStyleBitmap("MACOS_MENU_BAR", bar)) throw StyleResourceError("MACOS_MENU_BAR");
      if (!LoadStyleBitmap("MACOS_MENU_SELECT", select))
        throw StyleResourceError("MACOS_MENU_SELECT");
    }
    fw::Bitmap bar, select;
  };
  static const Pictures pictures;
  return selected ? pictures.select : pictures.bar;
}

void Caption(fw::Canvas& canvas, const MenuBarLook& look, std::string_view caption, Rect rect,
             fw::Color colour) {
  canvas.Font() = look.font;
  canvas.Font().SetColor(colour);
  canvas.Brush().SetStyle(fw::BrushStyle::kClear);
  canvas.DrawText(caption, rect, kCentred);
}

}  // namespace

MenuBarLook MenuBarLookOf(const fw::Menu* menu, TsuiUIStyle frame_style,
                          TsuiFileTheme* frame_theme) {
  if (auto* skinned = dynamic_cast<const TsuiMainMenu*>(menu))
    return {skinned->UIStyle(), skinned->FileTheme(), skinned->ItemFont()};
  return {frame_style, frame_theme, fw::SystemMenuFont()};
}

void DrawMenuBarItem(const MenuBarLook& look, fw::Canvas& canvas, const Rect& rect,
                     std::string_view caption, unsigned state) {
  const bool enabled = !(state & fw::tbDisabled);
  const bool pressed = enabled && (state & fw::tbPressed);
  const bool hot = enabled && (state & fw::tbHot);
  if ((hot || pressed) && look.style == TsuiUIStyle::MacOS) {
    // Drawn off screen and put in place whole; the caption sits a pixel below the middle.
    fw::Bitmap face(rect.Width(), rect.Height());
    fw::Canvas& c = face.GetCanvas();
    c.StretchDraw({0, 0, rect.Width(), rect.Height()}, MacPicture(true));
    Caption(c, look, caption, {0, 0, rect.Width(), rect.Height() + 2},
            GetStyleColor(TsuiUIStyle::MacOS, StyleItem::kMenuSelectedFontColour));
    canvas.Draw(rect.left, rect.top, face);
  } else if (hot || pressed) {
    Rect r = rect;
    if (pressed) r.right -= 2;
    canvas.Brush().SetColor(
        Colour(look, ThemeColor::kTopSelectedMenuColor, StyleItem::kMenuSelectedColour));
    canvas.FillRect(r);
    canvas.Brush().SetColor(Colour(look, ThemeColor::kTopSelectedMenuBorderColor,
                                   StyleItem::kMenuSelectedBorderColour));
    canvas.FrameRect(r);
    if (pressed) r.left += 2;
    r.top += 2;
    Caption(
        canvas, look, caption, r,
        Colour(look, ThemeColor::kTopSelectedMenuFontColor, StyleItem::kMenuSelectedFontColour));
  } else {
    const fw::Color colour =
        enabled ? Colour(look, ThemeColor::kTopMenuFontColor, StyleItem::kMenuItemFontColour)
                : fw::clGray;
    Caption(canvas, look, caption, {rect.left, rect.top + 2, rect.right, rect.bottom}, colour);
  }
}

void DrawMenuBarBackground(const MenuBarLook& look, fw::Canvas& canvas, const Rect& rect) {
  if (look.style == TsuiUIStyle::MacOS) canvas.StretchDraw(rect, MacPicture(false));
}

}  // namespace somnara::skin
