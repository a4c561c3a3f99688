#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace somnara::picture {

// The pixels of a picture being drawn, rows top to bottom; each pixel 0x00RRGGBB (or a
// palette index, for a picture written with a palette).
struct PixelBuffer {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;

  PixelBuffer(int w, int h, uint32_t fill = 0)
      : width(w), height(h), pixels(size_t(w) * size_t(h), fill) {}

  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  uint32_t& At(int x, int y) { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
  uint32_t At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
  // Drawing outside the picture is clipped.
  void Put(int x, int y, uint32_t pixel) {
    if (Contains(x, y)) At(x, y) = pixel;
  }
};

}  // namespace somnara::picture
