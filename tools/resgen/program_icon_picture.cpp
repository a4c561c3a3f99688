#include "program_icon_picture.h"

#include <algorithm>
#include <cmath>

#include "style_paint.h"

namespace resgen {

using namespace style;

std::vector<Rgba> DrawProgramIcon(int size, bool classic) {
  const double s = size / 32.0;
  Layer layer(size, size);
  const double c = size / 2.0;
  Paint disc = [=](double x, double y) {
    double d = std::hypot(x - c * 0.8, y - c * 0.7) / (c * 1.4);
    return Mix(Hex(0x3A4A9A), Hex(0x0E1440), std::min(1.0, d));
  };
  layer.Fill(Circle(c, c, c - 0.5 * s), classic ? Solid(Hex(0x000080)) : disc);
  if (size >= 32 && !classic)
    layer.Stroke(Circle(c, c, c - 1.0 * s), 1.0, Solid(Hex(0x7C8CD8)), 0.6);
  layer.Fill(Subtract(Circle(c - 2 * s, c + 1 * s, 10 * s), Circle(c + 3 * s, c - 3 * s, 9 * s)),
             classic ? Solid(Hex(0xFFFF00))
                     : VGradient(c - 10 * s, Hex(0xFFF1B0), c + 10 * s, Hex(0xF0B83A)));
  // A four-pointed star to the upper right.
  const double sx = c + 7 * s, sy = c - 6 * s, r = 4.5 * s, w = 1.3 * s;
  layer.Fill(Polygon({{sx, sy - r},
                      {sx + w, sy - w},
                      {sx + r, sy},
                      {sx + w, sy + w},
                      {sx, sy + r},
                      {sx - w, sy + w},
                      {sx - r, sy},
                      {sx - w, sy - w}}),
             Solid(Hex(0xFFFBE8)));
  // Colour and coverage back from the layer laid over black and over white.
  resgen::PixelBuffer on_black = layer.Flatten(Solid(Hex(0x000000)));
  resgen::PixelBuffer on_white = layer.Flatten(Solid(Hex(0xFFFFFF)));
  std::vector<Rgba> out(size_t(size) * size);
  for (size_t i = 0; i < out.size(); ++i) {
    const uint32_t b = on_black.pixels[i], wh = on_white.pixels[i];
    int seen = 0;
    for (int shift = 0; shift <= 16; shift += 8)
      seen = std::max(seen, int((wh >> shift) & 0xFF) - int((b >> shift) & 0xFF));
    const int alpha = 255 - seen;
    out[i].alpha = uint8_t(alpha);
    if (alpha == 0) continue;
    uint32_t rgb = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
      int v = int(std::lround(((b >> shift) & 0xFF) * 255.0 / alpha));
      rgb |= uint32_t(std::min(v, 255)) << shift;
    }
    out[i].rgb = rgb;
  }
  return out;
}

}  // namespace resgen
