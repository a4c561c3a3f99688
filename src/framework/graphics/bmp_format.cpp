#include "framework/graphics/bmp_format.h"

#include "framework/graphics/bitmap.h"

namespace somnara::fw::bmp {

std::optional<std::string> LayoutProblem(int64_t width, int64_t height, uint32_t bits,
                                         uint32_t compression, int64_t max_pixels) {
  if (width <= 0) return "the width is not positive";
  if (height == 0) return "the height is zero";
  const bool top_down = height < 0;
  const int64_t rows = top_down ? -height : height;
  if (width > Bitmap::kMaxDimension || rows > Bitmap::kMaxDimension || width * rows > max_pixels)
    return "the picture is too large (" + std::to_string(width) + " x " + std::to_string(rows) +
           ")";
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
    return std::to_string(bits) + " bits per pixel are not supported";
  const bool rle = compression == kRle8 || compression == kRle4;
  if (compression == kRle8 && bits != 8) return "RLE8 needs 8 bits per pixel";
  if (compression == kRle4 && bits != 4) return "RLE4 needs 4 bits per pixel";
  if ((compression == kBitFields || compression == kAlphaBitFields) && bits != 16 && bits != 32)
    return "bit fields need 16 or 32 bits per pixel";
  if (compression != kRgb && !rle && compression != kBitFields && compression != kAlphaBitFields)
    return "compression " + std::to_string(compression) + " is not supported";
  if (rle && top_down) return "a compressed picture cannot be stored top-down";
  return std::nullopt;
}

}  // namespace somnara::fw::bmp
