#include "picture/gradient.h"

#include <algorithm>

namespace somnara::picture {

void FillVerticalGradient(PixelBuffer& p, int x0, int y0, int x1, int y1, Rgb top, Rgb bottom) {
  const int span = std::max(1, y1 - y0 - 1);
  for (int y = y0; y < y1; ++y) {
    const uint32_t c = Packed(Mix(top, bottom, double(y - y0) / span));
    for (int x = x0; x < x1; ++x) p.Put(x, y, c);
  }
}

void FillHorizontalGradient(PixelBuffer& p, int x0, int y0, int x1, int y1, Rgb left, Rgb right) {
  const int span = std::max(1, x1 - x0 - 1);
  for (int x = x0; x < x1; ++x) {
    const uint32_t c = Packed(Mix(left, right, double(x - x0) / span));
    for (int y = y0; y < y1; ++y) p.Put(x, y, c);
  }
}

}  // namespace somnara::picture
