#include "skin/frame/frame_region_shapes.h"

#include <algorithm>
#include <cmath>

namespace somnara::skin {

namespace {

// How many pixels row `k` (counted from the nearer of the top and bottom edges) of a
// rounded rectangle leaves out at each end, for an ellipse of radii rx, ry.
int CornerInset(int k, double rx, double ry) {
  const double centre = k + 0.5;
  if (centre >= ry) return 0;
  const double dy = (ry - centre) / ry;
  const double dx = rx * std::sqrt(std::max(0.0, 1.0 - dy * dy));
  // A pixel belongs to the region when its centre lies inside the ellipse.
  return std::max(0, int(std::ceil(rx - dx - 0.5)));
}

}  // namespace

Region RoundRectRegion(const Rect& box, int ellipse_width, int ellipse_height) {
  Region region;
  const int left = std::min(box.left, box.right), right = std::max(box.left, box.right) - 1;
  const int top = std::min(box.top, box.bottom), bottom = std::max(box.top, box.bottom) - 1;
  if (right <= left || bottom <= top) return region;
  const int ew = std::min(ellipse_width, right - left);
  const int eh = std::min(ellipse_height, bottom - top);
  if (ew < 2 || eh < 2) {
    region.rects.push_back({left, top, right, bottom});
    return region;
  }
  const double rx = ew / 2.0, ry = eh / 2.0;
  // Rows with the same inset make one rectangle.
  int band_top = top;
  int band_inset = -1;
  for (int y = top; y <= bottom; ++y) {
    const int inset =
        y == bottom ? -1
                    : std::max(CornerInset(y - top, rx, ry), CornerInset(bottom - 1 - y, rx, ry));
    if (inset == band_inset) continue;
    if (band_inset >= 0 && left + band_inset < right - band_inset)
      region.rects.push_back({left + band_inset, band_top, right - band_inset, y});
    band_top = y;
    band_inset = inset;
  }
  return region;
}

void AddCorners(Region& region, Point a, Point b) {
  const Rect r{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
  if (!r.IsEmpty()) region.rects.push_back(r);
}

Region BuiltInFrameRegion(int width, int height, int top, int bottom) {
  const int h = height / 2;
  const int r = std::max(0, top), b = std::max(0, bottom);
  Region region = RoundRectRegion({0, 0, width + 1, h + 1}, r, r);
  // The upper half keeps its top corners round; its lower corners are squared off.
  AddCorners(region, {0, h}, {2 * r, h - 2 * r});
  AddCorners(region, {width, h}, {width - 2 * r, h - 2 * r});
  const Region lower = RoundRectRegion({0, h, width + 1, height + 1}, b, b);
  region.rects.insert(region.rects.end(), lower.rects.begin(), lower.rects.end());
  AddCorners(region, {0, h}, {2 * b, h + 2 * b});
  AddCorners(region, {width, h}, {width - 2 * b, h + 2 * b});
  return region;
}

void AddOpaqueRuns(Region& region, const fw::Bitmap& picture, int row, int y,
                   fw::Color transparent) {
  if (row < 0 || row >= picture.Height()) return;
  const uint32_t key = fw::ColorToRgb(transparent);
  const uint32_t* pixels = picture.Scanline(row);
  const int w = picture.Width();
  int x = 0;
  while (x < w) {
    while (x < w && (pixels[x] & 0xFFFFFF) == key) ++x;
    const int x0 = x;
    while (x < w && (pixels[x] & 0xFFFFFF) != key) ++x;
    if (x > x0) region.rects.push_back({x0, y, x, y + 1});
  }
}

}  // namespace somnara::skin
