#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/geometry.h"

namespace somnara::testing {

// Pixels of a part of the screen (or of a picture file), 0xRRGGBB each. `left` and `top`
// place it on the screen, so At() takes screen coordinates.
struct ScreenImage {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;

  Rect Bounds() const { return Rect::FromSize(left, top, width, height); }
  uint32_t At(int x, int y) const { return pixels[size_t(y - top) * size_t(width) + (x - left)]; }
  // The part of this image inside `area`, placed where it was.
  ScreenImage Crop(const Rect& area) const;
};

// An uncompressed 24- or 32-bit BMP file, placed at (0, 0).
bool ReadBmp(const std::string& path, ScreenImage* image, std::string* error);

// The outcome of comparing a part of the screen with what should be there.
struct Comparison {
  int checked = 0;
  int different = 0;
  Point first;  // the first differing pixel
  uint32_t seen = 0;
  uint32_t expected = 0;
  bool Matches() const { return checked > 0 && different == 0; }
  // Counts another part in, keeping the first difference.
  void Add(const Comparison& other);
  std::string Describe() const;
};

// Does `area` of `screen` show `tile` repeated from the screen point `origin`? Pixels in
// any of `skip` are not looked at.
Comparison CompareWithTile(const ScreenImage& screen, const Rect& area, const ScreenImage& tile,
                           Point origin, const std::vector<Rect>& skip = {});

// Does `screen` show `expected` at `at` (screen point of expected's top-left corner)?
Comparison CompareWithPicture(const ScreenImage& screen, const ScreenImage& expected, Point at);

}  // namespace somnara::testing
