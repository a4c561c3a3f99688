#include "skin/frame/frame_non_client.h"

#include <algorithm>

namespace somnara::skin {

namespace {
// The thin band a built-in style keeps at the top and at each side.
constexpr int kThinBand = 3;
}  // namespace

Rect FrameNonClientBands(int left_edge, int right_edge, int bottom_edge, int border_width) {
  Rect bands{kThinBand, kThinBand, kThinBand, kThinBand};
  if (left_edge != 0) {
    bands.left = ThemeSideBand(left_edge);
    bands.right = ThemeSideBand(right_edge);
  }
  if (bottom_edge != 0)
    bands.bottom = ThemeSideBand(bottom_edge);
  else
    // A 3-pixel border fills the thin band exactly; any other width keeps one pixel of
    // the inner band above it (BorderWidth 1 gives 2, 2 gives 3, 4 gives 5).
    bands.bottom = std::max(0, border_width == 3 ? kThinBand : border_width + 1);
  return bands;
}

}  // namespace somnara::skin
