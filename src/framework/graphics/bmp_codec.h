#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "framework/graphics/bitmap.h"

namespace somnara::fw {

// Device-independent bitmap files: 1, 4, 8 bits with palette (also RLE4/RLE8), 16 bits
// (5-5-5, or bit fields), 24 and 32 bits (32 keeps alpha only when bit fields give an alpha
// mask); bottom-up and top-down; core (OS/2), info, V4 and V5 headers. Anything malformed
// throws fw::Exception; sizes are checked before memory is reserved.
Bitmap DecodeBmp(std::span<const uint8_t> bytes);

// A 24-bit bottom-up file with an info header.
std::vector<uint8_t> EncodeBmp24(const Bitmap& bitmap);

}  // namespace somnara::fw
