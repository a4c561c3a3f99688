#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "framework/graphics/bitmap.h"

namespace somnara::skin {

// The checked header of a BMP file image held by a skin. A skin's pictures are handed on as
// raw file images, so the reader makes sure here that each one is what its header claims:
// sizes within bounds, palette and pixel rows inside the file. A picture that passes can be
// decoded without reading outside its bytes.
struct BmpHeader {
  // Larger pictures are refused, as the graphics library refuses them.
  static constexpr int kMaxDimension = fw::Bitmap::kMaxDimension;
  // And so are pictures of more pixels than this (64 MiB at 32 bits): run-length data can
  // claim a huge picture in a few bytes, and a skin's pictures are small.
  static constexpr int64_t kMaxPixels = int64_t(1) << 24;

  int width = 0;
  int height = 0;  // always positive; top_down tells the row order
  bool top_down = false;
  int bits_per_pixel = 0;
  uint32_t compression = 0;  // plain, RLE8, RLE4 or bit fields (framework/graphics/bmp_format.h)
  uint32_t pixel_offset = 0;

  // The header of a complete file image, or none when it is not a usable BMP.
  static std::optional<BmpHeader> Parse(std::span<const uint8_t> file);
};

}  // namespace somnara::skin
