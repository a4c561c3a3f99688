#pragma once

#include "framework/graphics/color.h"
#include "platform/geometry.h"

namespace somnara::fw {
class Canvas;
class ImageList;
class MenuItem;
}  // namespace somnara::fw

namespace somnara::skin {

class TsuiMenuSkin;

// The pictures an item may show: the menu's image list (by the item's ImageIndex) and the
// check image of an item checked without a picture of its own.
struct MenuItemImages {
  const fw::ImageList* images = nullptr;
  const fw::ImageList* checks = nullptr;
};

// A separator is SeparatorHeight high; any other item as high as its caption, at least
// MenuItemHeight. Every item is as wide as its caption and shortcut side by side, plus
// the side bar and 40.
void MeasureSkinnedMenuItem(const TsuiMenuSkin& skin, const fw::MenuItem& item, fw::Canvas& canvas,
                            int& width, int& height);

// Paints one item in `rect`: the side bar and the item colour (or the MacOS pictures), the
// selected box, the caption with its access key, the shortcut text, the check image or the
// item's picture. A disabled item keeps the normal background and shows grey text.
void DrawSkinnedMenuItem(const TsuiMenuSkin& skin, const MenuItemImages& images,
                         const fw::MenuItem& item, fw::Canvas& canvas, const Rect& rect,
                         bool selected);

// The flat border over a menu window's bounds: a black frame inside a white one, and the
// form colour along the bottom, right and top edges.
void DrawFlatMenuBorder(fw::Canvas& canvas, const Rect& bounds, fw::Color form_color);

}  // namespace somnara::skin
