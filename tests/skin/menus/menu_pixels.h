#pragma once

// Reading painted menus back: exact colours for fills and lines, and for anti-aliased text
// the pixel that stands out most from what lies behind it.

#include <algorithm>
#include <cstdlib>

#include "framework/graphics/bitmap.h"
#include "platform/geometry.h"

namespace somnara::skin::testing {

inline int Count(const fw::Bitmap& b, fw::Color colour, Rect area) {
  int n = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) n += b.GetPixel(x, y) == colour;
  return n;
}

inline int Distance(fw::Color a, fw::Color b) {
  return std::max({std::abs(int(fw::RedOf(a)) - int(fw::RedOf(b))),
                   std::abs(int(fw::GreenOf(a)) - int(fw::GreenOf(b))),
                   std::abs(int(fw::BlueOf(a)) - int(fw::BlueOf(b)))});
}

// The pixel of `area` farthest from `background` (the background itself when none differs).
inline fw::Color Ink(const fw::Bitmap& b, Rect area, fw::Color background) {
  fw::Color ink = background;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (Distance(b.GetPixel(x, y), background) > Distance(ink, background))
        ink = b.GetPixel(x, y);
  return ink;
}

// Text of colour `text` was drawn: its strongest pixel is close to that colour.
inline bool Near(fw::Color ink, fw::Color text) {
  return Distance(ink, text) <= 80;
}

}  // namespace somnara::skin::testing
