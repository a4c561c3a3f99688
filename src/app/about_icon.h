#pragma once

#include <cstdint>
#include <span>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/color.h"

namespace somnara::app {

// The 32-bit colour image of `size` pixels square from an icon file (.ico), as a 32-bit
// bitmap that keeps the image's alpha. An image whose alpha bytes are all 0 (an icon made
// before alpha existed) takes its see-through pixels from the icon's mask instead. Throws
// fw::Exception, naming the fault, when the file is damaged or holds no such image.
fw::Bitmap DecodeIconImage(std::span<const uint8_t> icon_file, int size);

// A picture with alpha laid over a plain background, as a picture control without alpha
// shows it.
fw::Bitmap OverBackground(const fw::Bitmap& picture, fw::Color background);

}  // namespace somnara::app
