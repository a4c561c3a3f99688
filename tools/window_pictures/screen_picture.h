#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/headless/headless_window_system.h"

namespace somnara::pictures {

// A picture of 0x00RRGGBB words, rows top to bottom.
struct RgbPicture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Writes `picture` as an RGB PNG file. Gives an error text, empty on success.
std::string WritePng(const std::string& path, const RgbPicture& picture);

// What one window showed last, inside its window region.
RgbPicture WindowPicture(const platform::HeadlessWindow& window);

// What the headless screen shows: the visible windows from the bottom up, each inside its
// region and blended with what lies beneath by its opacity, as a compositing desktop would.
RgbPicture ScreenPicture(const platform::HeadlessWindowSystem& windows);

}  // namespace somnara::pictures
