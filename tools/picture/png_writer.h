#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace somnara::picture {

// Rows of 8-bit samples, top to bottom: 3 a pixel (red, green, blue) or 4 (with alpha).
struct PngImage {
  int width = 0;
  int height = 0;
  int channels = 3;
  std::vector<uint8_t> samples;
};

// Writes `image` as a PNG file with no time stamp, so the same pixels always give the same
// bytes. Gives an error text, empty on success.
std::string WritePng(const std::string& path, const PngImage& image);

}  // namespace somnara::picture
