#pragma once

#include <cstdint>

namespace somnara::fw {

// A writable block of 0x00RRGGBB pixel words that a canvas can draw on; stride counts words.
// alpha is or-ed into every pixel the canvas writes (0xFF000000 for 32-bit pictures).
struct PixelBuffer {
  uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;
  uint32_t alpha = 0;
};

}  // namespace somnara::fw
