#pragma once

#include <cstdint>
#include <span>

namespace somnara::fw {

// The picture file inside picture data as the desktop's form files store it: optionally
// a class name as a length-prefixed string ("\x07TBitmap"), then optionally a four-byte
// size before the file. Plain picture files come back unchanged.
std::span<const uint8_t> StoredPictureFile(std::span<const uint8_t> data);

}  // namespace somnara::fw
