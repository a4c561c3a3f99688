#pragma once

// Pixel-level helpers shared by the canvas's source files.

#include <algorithm>
#include <cstdint>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/pixel_buffer.h"
#include "platform/geometry.h"

namespace somnara::fw::raster {

// A buffer with the rectangle that may be written (device pixels, inside the buffer).
struct Target {
  PixelBuffer buf;
  Rect clip;
  uint32_t* Row(int y) const { return buf.pixels + size_t(y) * size_t(buf.stride); }
  bool Inside(int x, int y) const {
    return x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
  }
};

// What a fill writes: one colour, or a pattern whose (0, 0) lies at a device position.
struct Paint {
  uint32_t rgb = 0;
  const Bitmap* pattern = nullptr;
  Point pattern_origin;
};

// Coordinates beyond this are pulled in, so that no sum of a coordinate, the origin and a
// size can overflow.
constexpr int kCoordLimit = 1 << 24;
inline int Limit(long long v) {
  return int(std::clamp<long long>(v, -kCoordLimit, kCoordLimit));
}
inline Rect Limit(const Rect& r) {
  return {Limit(r.left), Limit(r.top), Limit(r.right), Limit(r.bottom)};
}

inline int FloorMod(int a, int m) {
  int r = a % m;
  return r < 0 ? r + m : r;
}

// n pixels of a pattern with the target's alpha, the two not overlapping. Four at a time,
// which the compiler makes one vector step: a full-screen tile (the backdrop's first frame)
// is most of a start's painting.
inline void CopyPatternPixels(uint32_t* __restrict to, const uint32_t* __restrict from, int n,
                              uint32_t alpha) {
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    to[i] = (from[i] & 0x00FFFFFF) | alpha;
    to[i + 1] = (from[i + 1] & 0x00FFFFFF) | alpha;
    to[i + 2] = (from[i + 2] & 0x00FFFFFF) | alpha;
    to[i + 3] = (from[i + 3] & 0x00FFFFFF) | alpha;
  }
  for (; i < n; ++i) to[i] = (from[i] & 0x00FFFFFF) | alpha;
}

// Fills [x0, x1) of row y, clipped.
inline void FillSpan(const Target& t, int y, int x0, int x1, const Paint& p) {
  if (y < t.clip.top || y >= t.clip.bottom) return;
  x0 = std::max(x0, t.clip.left);
  x1 = std::min(x1, t.clip.right);
  if (x0 >= x1) return;
  uint32_t* row = t.Row(y);
  if (!p.pattern) {
    std::fill(row + x0, row + x1, p.rgb | t.buf.alpha);
    return;
  }
  const Bitmap& b = *p.pattern;
  const uint32_t* src = b.Scanline(FloorMod(y - p.pattern_origin.y, b.Height()));
  int px = FloorMod(x0 - p.pattern_origin.x, b.Width());
  uint32_t alpha = t.buf.alpha;
  for (int x = x0; x < x1;) {
    int n = std::min(b.Width() - px, x1 - x);
    const auto to = reinterpret_cast<uintptr_t>(row + x);
    const auto from = reinterpret_cast<uintptr_t>(src + px);
    const uintptr_t bytes = uintptr_t(n) * sizeof(uint32_t);
    if (to + bytes <= from || from + bytes <= to) {
      CopyPatternPixels(row + x, src + px, n, alpha);
    } else {  // a bitmap filled with itself as the pattern
      for (int i = 0; i < n; ++i) row[x + i] = (src[px + i] & 0x00FFFFFF) | alpha;
    }
    x += n;
    px = 0;
  }
}

inline void PutPixel(const Target& t, int x, int y, uint32_t rgb) {
  if (t.Inside(x, y)) t.Row(y)[x] = rgb | t.buf.alpha;
}

}  // namespace somnara::fw::raster
