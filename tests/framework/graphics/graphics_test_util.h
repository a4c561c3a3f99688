#pragma once

#include <cstdlib>
#include <string>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "platform/geometry.h"

namespace somnara::fw::testing {

inline Bitmap Blank(int w, int h, Color c = clWhite) {
  Bitmap b(w, h);
  b.Fill(c);
  return b;
}

inline int CountColor(const Bitmap& b, Color c) {
  int n = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) n += b.GetPixel(x, y) == c;
  return n;
}

// Pixels within a small distance of a colour: antialiased glyphs reach the full font colour
// only in few pixels at small sizes.
inline int CountNear(const Bitmap& b, Color c, int tolerance = 64) {
  int n = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      Color p = b.GetPixel(x, y);
      n += std::abs(int(RedOf(p)) - RedOf(c)) <= tolerance &&
           std::abs(int(GreenOf(p)) - GreenOf(c)) <= tolerance &&
           std::abs(int(BlueOf(p)) - BlueOf(c)) <= tolerance;
    }
  return n;
}

// Smallest rectangle holding every pixel that differs from the background (right and bottom
// exclusive); empty when there is none.
inline Rect InkBox(const Bitmap& b, Color background) {
  Rect box{b.Width(), b.Height(), 0, 0};
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.GetPixel(x, y) != background) {
        box.left = std::min(box.left, x);
        box.top = std::min(box.top, y);
        box.right = std::max(box.right, x + 1);
        box.bottom = std::max(box.bottom, y + 1);
      }
  return box.IsEmpty() ? Rect{} : box;
}

// "x" for a pixel of colour c, "." otherwise: a row as a picture, for readable failures.
inline std::string RowPicture(const Bitmap& b, int y, Color c) {
  std::string s;
  for (int x = 0; x < b.Width(); ++x) s += b.GetPixel(x, y) == c ? 'x' : '.';
  return s;
}
inline std::string ColumnPicture(const Bitmap& b, int x, Color c) {
  std::string s;
  for (int y = 0; y < b.Height(); ++y) s += b.GetPixel(x, y) == c ? 'x' : '.';
  return s;
}

}  // namespace somnara::fw::testing
