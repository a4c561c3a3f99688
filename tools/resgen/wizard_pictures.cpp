// The wizard's pictures: a glass of water on a bedside table (128 x 215) for step 1, the
// 16 x 16 blue round play symbol of the "Test Sound" button, and the volume track bar's own
// bar (a 60 x 6 groove, cut into three 20-pixel slices) and slider (11 x 21).
#include <algorithm>
#include <cmath>

#include "generator.h"
#include "picture/rgb.h"

namespace {

using somnara::picture::Mix;

// The wizard's face colour, so the picture sits on the page without a visible edge.
constexpr uint32_t kFace = 0xEDE5CA;

bool DrawGlass(const std::string& dir) {
  constexpr int kW = 128, kH = 215;
  resgen::PixelBuffer p(kW, kH, kFace);
  // Table top and its front edge.
  for (int y = 170; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      uint32_t wood = y < 178 ? 0x9A6B3F : 0x7A5230;
      p.At(x, y) = Mix(wood, 0x5A3A20, (y - 170) / 60.0 + ((x * 7 + y * 3) % 11) / 60.0);
    }
  // The glass: a slightly tapered tumbler, wider at the rim.
  constexpr double kTop = 40, kBottom = 172, kRimHalf = 34, kBaseHalf = 27, kCentre = 64;
  constexpr double kWaterLine = 78;
  for (int y = int(kTop); y < int(kBottom); ++y) {
    double t = (y - kTop) / (kBottom - kTop);
    double half = kRimHalf + (kBaseHalf - kRimHalf) * t;
    for (int x = 0; x < kW; ++x) {
      double d = std::abs(x + 0.5 - kCentre);
      if (d > half + 0.5) continue;
      double edge = half - d;  // distance from the glass wall
      uint32_t colour;
      if (edge < 2.0 || y > kBottom - 7) {
        colour = 0x9DB6C4;  // wall and thick base
      } else if (y >= kWaterLine) {
        // Water: clear blue, lighter to the left where the light comes from.
        double light = (x - (kCentre - half)) / (2 * half);
        colour = Mix(0xA9D8F0, 0x5FA6D6, light);
        if (y < kWaterLine + 2) colour = 0xE6F6FF;  // surface
      } else {
        colour = Mix(kFace, 0xF4FBFF, 0.55);  // empty glass above the water
      }
      // A highlight stripe down the left side.
      if (x > kCentre - half + 5 && x < kCentre - half + 9 && y > kTop + 6 && y < kBottom - 12)
        colour = Mix(colour, 0xFFFFFF, 0.7);
      p.At(x, y) = colour;
    }
  }
  // The rim as a thin ellipse.
  for (int x = int(kCentre - kRimHalf); x <= int(kCentre + kRimHalf); ++x) {
    double u = (x - kCentre) / kRimHalf;
    double h = 4 * std::sqrt(std::max(0.0, 1 - u * u));
    p.Put(x, int(kTop - h), 0x9DB6C4);
    p.Put(x, int(kTop + h), 0x9DB6C4);
  }
  // Its shadow on the table.
  for (int x = 30; x < 110; ++x)
    for (int y = 172; y < 176; ++y) p.Put(x, y, Mix(p.At(x, y), 0x000000, 0.25));
  return resgen::WriteBmp24(dir + "/wizard_glass.bmp", p);
}

bool DrawPlayGlyph(const std::string& dir) {
  // The corner pixel's colour is the glyph's see-through colour.
  constexpr uint32_t kClear = 0xFF00FF;
  resgen::PixelBuffer p(16, 16, kClear);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      double dx = x + 0.5 - 8, dy = y + 0.5 - 8;
      double r = std::sqrt(dx * dx + dy * dy);
      if (r > 7.5) continue;
      uint32_t colour = r > 6.5 ? 0x1E4FA8 : Mix(0x5C9BEA, 0x1F5FC4, (dy + 7) / 14);
      // The white triangle pointing right.
      if (x >= 6 && x <= 11 && std::abs(dy) <= (11.5 - x) * 0.8 + 0.3) colour = 0xFFFFFF;
      p.At(x, y) = colour;
    }
  return resgen::WriteBmp24(dir + "/wizard_play.bmp", p);
}

// Magenta is the see-through colour of the bar's and the slider's corners.
constexpr uint32_t kSeeThrough = 0xFF00FF;

bool DrawVolumeBar(const std::string& dir) {
  resgen::PixelBuffer p(60, 6, kSeeThrough);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 60; ++x) {
      const int from_end = std::min(x, 59 - x);
      if (from_end == 0 && (y == 0 || y == 5)) continue;  // rounded ends
      const bool edge = y == 0 || y == 5 || from_end == 0;
      p.At(x, y) = edge ? 0x7A5A36 : Mix(0xA88A62, 0xEEE2C4, y / 5.0);
    }
  return resgen::WriteBmp24(dir + "/wizard_volume_bar.bmp", p);
}

bool DrawVolumeSlider(const std::string& dir) {
  // A rounded body with a point at the bottom; the bottom-left corner is see-through.
  auto inside = [](int x, int y) {
    if (x < 0 || x > 10 || y < 0 || y > 20) return false;
    if (y < 15) return !(y == 0 && (x == 0 || x == 10));
    return std::abs(x - 5) <= 20 - y;
  };
  resgen::PixelBuffer p(11, 21, kSeeThrough);
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 11; ++x) {
      if (!inside(x, y)) continue;
      const bool edge =
          !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
      p.At(x, y) = edge ? 0x3A5E8C : Mix(0xD8E8FA, 0x6E98C8, x / 10.0);
    }
  for (int y : {6, 9, 12})
    for (int x = 3; x <= 7; ++x) p.At(x, y) = 0x3A5E8C;
  return resgen::WriteBmp24(dir + "/wizard_volume_slider.bmp", p);
}

resgen::Registration glass("wizard_glass", DrawGlass);
resgen::Registration play("wizard_play", DrawPlayGlyph);
resgen::Registration volume_bar("wizard_volume_bar", DrawVolumeBar);
resgen::Registration volume_slider("wizard_volume_slider", DrawVolumeSlider);

}  // namespace
