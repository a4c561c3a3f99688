#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "framework/graphics/bitmap.h"

namespace somnara::fw {

// Baseline and progressive JPEG, grey or colour (CMYK converted). Throws fw::Exception
// with the decoder's message on bad data.
Bitmap DecodeJpeg(std::span<const uint8_t> bytes);

// Quality 1..100; used by tests and tools.
std::vector<uint8_t> EncodeJpeg(const Bitmap& bitmap, int quality = 90);

}  // namespace somnara::fw
