// The backdrop's tile: white stars of a few sizes and brightnesses on black, 290 x 217,
// drawn so that it repeats without a visible seam (stars wrap around the edges).
#include "generator.h"

namespace {
uint32_t Grey(int level) {
  return uint32_t(level) * 0x010101u;
}

void Blend(resgen::PixelBuffer& p, int x, int y, int level) {
  x = (x % p.width + p.width) % p.width;
  y = (y % p.height + p.height) % p.height;
  uint32_t old = p.At(x, y) & 0xFF;
  if (uint32_t(level) > old) p.At(x, y) = Grey(level);
}

bool Draw(const std::string& dir) {
  resgen::PixelBuffer tile(290, 217, 0);
  resgen::Random random(20261207);
  for (int i = 0; i < 140; ++i) {
    int x = random.Below(290), y = random.Below(217);
    int brightness = 90 + random.Below(166);
    Blend(tile, x, y, brightness);
    if (random.Below(9) == 0) {  // a brighter star with a small cross of light
      Blend(tile, x, y, 255);
      for (int d = 1; d <= 2; ++d) {
        int glow = 200 / (d + 1);
        Blend(tile, x + d, y, glow);
        Blend(tile, x - d, y, glow);
        Blend(tile, x, y + d, glow);
        Blend(tile, x, y - d, glow);
      }
    }
  }
  return resgen::WriteBmp24(dir + "/star_tile.bmp", tile);
}

resgen::Registration registration("star_tile", Draw);
}  // namespace
