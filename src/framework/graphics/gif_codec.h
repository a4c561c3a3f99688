#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "framework/graphics/picture.h"

namespace somnara::fw {

// All frames of a GIF, each composited on the full logical screen (32-bit pictures whose
// alpha is 0 where nothing has been drawn yet) after the previous frame's disposal. Delays
// are in ms; a delay of 0 counts as 100 ms. Throws fw::Exception on bad data.
struct GifImage {
  int width = 0;
  int height = 0;
  std::vector<PictureFrame> frames;
};
GifImage DecodeGif(std::span<const uint8_t> bytes);

}  // namespace somnara::fw
