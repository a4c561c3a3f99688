#include "skin/frame/menu_item_painter.h"

#include <algorithm>
#include <string>

#include "framework/controls/image_list.h"
#include "framework/controls/menu_item.h"
#include "framework/controls/short_cut.h"
#include "framework/graphics/canvas.h"
#include "skin/frame/tsui_menu_skin.h"
#include "skin/styles/sui_style_bitmaps.h"

namespace somnara::skin {
namespace {

constexpr int kSideBarGap = 4;
constexpr int kShortCutMargin = 16;
constexpr int kExtraWidth = 40;
constexpr int kMacSeparatorHeight = 12;
constexpr int kMacItemHeight = 20;
constexpr fw::Color kDisabledText = fw::clGray;

// The MacOS menu pictures are the same for every menu; read once.
const fw::Bitmap& MacPicture(const char* name) {
  struct Pictures {
    Pictures() {
      if (!LoadStyleBitmap("MACOS_MENU_BAR", bar)) throw StyleResourceError("MACOS_MENU_BAR");
      if (!LoadStyleBitmap("MACOS_MENU_SELECT", select))
        throw StyleResourceError("MACOS_MENU_SELECT");
    }
    fw::Bitmap bar, select;
  };
  static const Pictures pictures;
  return std::string(name) == "MACOS_MENU_BAR" ? pictures.bar : pictures.select;
}

// The picture's top `height` rows stretched over `rect`.
void StretchTop(fw::Canvas& canvas, const Rect& rect, const char* name, int height) {
  const fw::Bitmap& picture = MacPicture(name);
  canvas.StretchDraw(rect, picture, {0, 0, picture.Width(), std::min(height, picture.Height())});
}

void FillPlain(const TsuiMenuSkin& skin, fw::Canvas& canvas, const Rect& rect) {
  const int bar = skin.BarWidth();
  if (bar > 0) {
    canvas.Brush().SetColor(skin.BarColor());
    canvas.FillRect({rect.left, rect.top, rect.left + bar, rect.bottom});
  }
  canvas.Brush().SetColor(skin.Color());
  canvas.FillRect({rect.left + std::max(bar, 0), rect.top, rect.right, rect.bottom});
}

bool IsMac(const TsuiMenuSkin& skin) {
  return skin.UIStyle() == TsuiUIStyle::MacOS;
}

void DrawSeparator(const TsuiMenuSkin& skin, fw::Canvas& canvas, const Rect& rect) {
  if (IsMac(skin)) {
    StretchTop(canvas, rect, "MACOS_MENU_BAR", kMacSeparatorHeight);
    return;
  }
  FillPlain(skin, canvas, rect);
  canvas.Pen() = fw::Pen();
  canvas.Pen().SetColor(skin.SeparatorColor());
  canvas.MoveTo(rect.left + skin.BarWidth() + kSideBarGap, rect.top + 2);
  canvas.LineTo(rect.right - 2, rect.top + 2);
}

void DrawBackground(const TsuiMenuSkin& skin, fw::Canvas& canvas, const Rect& rect,
                    bool highlighted) {
  if (IsMac(skin)) {
    StretchTop(canvas, rect, highlighted ? "MACOS_MENU_SELECT" : "MACOS_MENU_BAR", kMacItemHeight);
  } else if (highlighted) {
    canvas.Brush().SetColor(skin.SelectedColor());
    canvas.FillRect(rect);
    canvas.Brush().SetColor(skin.SelectedBorderColor());
    canvas.FrameRect(rect);
  } else {
    FillPlain(skin, canvas, rect);
  }
}

bool HasImage(const MenuItemImages& images, const fw::MenuItem& item) {
  return images.images != nullptr && item.ImageIndex() >= 0 &&
         item.ImageIndex() < images.images->Count();
}

}  // namespace

void MeasureSkinnedMenuItem(const TsuiMenuSkin& skin, const fw::MenuItem& item, fw::Canvas& canvas,
                            int& width, int& height) {
  const std::string caption = item.Caption();
  if (item.IsSeparator())
    height = skin.SeparatorHeight();
  else
    height = std::max(canvas.TextHeight(caption), skin.MenuItemHeight());
  const std::string shortcut = fw::ShortCutToText(item.ShortCut());
  width = canvas.TextWidth(caption) + canvas.TextWidth(shortcut) + skin.BarWidth() + kExtraWidth;
}

void DrawSkinnedMenuItem(const TsuiMenuSkin& skin, const MenuItemImages& images,
                         const fw::MenuItem& item, fw::Canvas& canvas, const Rect& rect,
                         bool selected) {
  if (item.IsSeparator()) {
    DrawSeparator(skin, canvas, rect);
    return;
  }
  const bool enabled = item.Enabled();
  DrawBackground(skin, canvas, rect, selected && enabled);

  fw::Font font = skin.ItemFont();
  font.SetColor(!enabled ? kDisabledText : selected ? skin.SelectedFontColor() : skin.FontColor());
  if (item.Default()) font.SetBold(true);
  canvas.Font() = font;
  canvas.Brush().SetStyle(fw::BrushStyle::kClear);

  const unsigned flags = fw::DT_SINGLELINE | fw::DT_VCENTER;
  Rect caption{rect.left + skin.BarWidth() + kSideBarGap, rect.top, rect.right, rect.bottom};
  canvas.DrawText(item.Caption(), caption, flags | fw::DT_LEFT);
  const std::string shortcut = fw::ShortCutToText(item.ShortCut());
  if (!shortcut.empty()) {
    Rect place{rect.right - canvas.TextWidth(shortcut) - kShortCutMargin, rect.top, rect.right,
               rect.bottom};
    canvas.DrawText(shortcut, place, flags);
  }

  const int gx = rect.left + 4;
  const bool has_image = HasImage(images, item);
  if (item.Checked()) {
    if (has_image) {
      // The picture sits on a highlighted box, framed in black, instead of a check mark.
      canvas.Brush().SetColor(fw::clBlack);
      canvas.FrameRect({gx - 2, rect.top + 1, gx + 17, rect.top + 20});
      canvas.Brush().SetColor(skin.SelectedColor());
      canvas.FillRect({gx - 1, rect.top + 2, gx + 16, rect.top + 19});
    } else if (images.checks != nullptr) {
      images.checks->Draw(canvas, gx, rect.top + 3, 0, enabled);
    }
  }
  if (has_image) images.images->Draw(canvas, gx, rect.top + 3, item.ImageIndex(), enabled);
}

void DrawFlatMenuBorder(fw::Canvas& canvas, const Rect& bounds, fw::Color form_color) {
  const auto [l, t, r, b] = bounds;
  canvas.Brush().SetColor(fw::clBlack);
  canvas.FrameRect({l, t + 1, r - 1, b - 1});
  canvas.Brush().SetColor(fw::clWhite);
  canvas.FrameRect({l + 1, t + 2, r - 2, b - 2});
  canvas.Pen() = fw::Pen();
  canvas.Pen().SetColor(form_color);
  canvas.MoveTo(l, b - 1);
  canvas.LineTo(r - 1, b - 1);
  canvas.LineTo(r - 1, t);
  canvas.LineTo(r, t);
  canvas.LineTo(l, t);
}

}  // namespace somnara::skin
