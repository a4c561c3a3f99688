#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace somnara::pictures {

// A picture of 0x00RRGGBB words, rows top to bottom.
struct RgbPicture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Writes `picture` as an 8-bit RGB PNG file with no time stamp, so the same picture always
// gives the same bytes. Gives an error text, empty on success.
std::string WritePng(const std::string& path, const RgbPicture& picture);

}  // namespace somnara::pictures
