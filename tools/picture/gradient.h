#pragma once

#include "picture/pixel_buffer.h"
#include "picture/rgb.h"

namespace somnara::picture {

// Fills x0..x1 by y0..y1 (half-open) with colours running from the first row or column,
// which gets `top` or `left`, to the last, which gets `bottom` or `right`. Clipped to the
// picture.
void FillVerticalGradient(PixelBuffer& p, int x0, int y0, int x1, int y1, Rgb top, Rgb bottom);
void FillHorizontalGradient(PixelBuffer& p, int x0, int y0, int x1, int y1, Rgb left, Rgb right);

}  // namespace somnara::picture
