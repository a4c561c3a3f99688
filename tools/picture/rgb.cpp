#include "picture/rgb.h"

#include <algorithm>
#include <cmath>

namespace somnara::picture {

Rgb Mix(Rgb a, Rgb b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  auto mix = [t](uint8_t x, uint8_t y) {
    return static_cast<uint8_t>(std::lround(x + (double(y) - double(x)) * t));
  };
  return {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)};
}

uint32_t Mix(uint32_t a, uint32_t b, double t) {
  return Packed(Mix(Unpacked(a), Unpacked(b), t));
}

}  // namespace somnara::picture
