#pragma once

#include "platform/geometry.h"

namespace somnara::skin {

// The band a theme's side border takes in the window: its picture's width, at least 4.
inline int ThemeSideBand(int edge) {
  return edge > 4 ? edge : 4;
}

// How wide the skinned frame's non-client bands are on each side of the client area
// (left, top, right, bottom), for the theme's border picture sizes (all 0 for a built-in
// style) and the frame's border width. The top band is always 3 pixels; the title bar
// lies in the client area under it. The left edge decides for both sides whether the
// theme's side pictures or the built-in 3-pixel bands are used.
Rect FrameNonClientBands(int left_edge, int right_edge, int bottom_edge, int border_width);

}  // namespace somnara::skin
