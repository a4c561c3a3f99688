#pragma once

#include <cstdint>

namespace somnara::picture {

// A colour of whole channel values.
struct Rgb {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  bool operator==(const Rgb&) const = default;
};

// The colour keyed pictures leave out.
inline constexpr Rgb kMagenta{255, 0, 255};

// A colour as a pixel of a buffer: 0x00RRGGBB.
constexpr uint32_t Packed(Rgb c) {
  return uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | uint32_t(c.b);
}
constexpr Rgb Unpacked(uint32_t rrggbb) {
  return {uint8_t(rrggbb >> 16), uint8_t(rrggbb >> 8), uint8_t(rrggbb)};
}

// a + (b - a) * t, with t held in 0..1 and every channel rounded to the nearest value.
Rgb Mix(Rgb a, Rgb b, double t);
// The same for pixels.
uint32_t Mix(uint32_t a, uint32_t b, double t);

}  // namespace somnara::picture
