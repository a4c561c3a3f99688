#pragma once

#include "framework/graphics/bitmap.h"
#include "framework/graphics/color.h"
#include "platform/geometry.h"

namespace somnara::skin {

// A rectangle with corners rounded by quarters of an ellipse `ellipse_width` by
// `ellipse_height` pixels, as the desktop platform's rounded-rectangle region has it: it
// covers the pixels from (left, top) up to but not including (right - 1, bottom - 1), so a
// window of w by h pixels is covered by (0, 0, w + 1, h + 1). An ellipse smaller than 2
// pixels either way gives square corners; a larger one than the box is cut to it.
Region RoundRectRegion(const Rect& box, int ellipse_width, int ellipse_height);

// The outline of a built-in style's window of `width` by `height` pixels: its top corners
// rounded by an ellipse `top` by `top` pixels, its bottom corners by `bottom` by `bottom`
// (negative sizes count as 0), each half of the window rounded only at its outer corners.
Region BuiltInFrameRegion(int width, int height, int top, int bottom);

// Adds to `region` one rectangle for each run of pixels of `picture`'s row `row` whose
// colour is not `transparent`, at window row `y`.
void AddOpaqueRuns(Region& region, const fw::Bitmap& picture, int row, int y,
                   fw::Color transparent);

// Adds `rect` to `region` unless it is empty; two opposite corners in any order.
void AddCorners(Region& region, Point a, Point b);

}  // namespace somnara::skin
