#pragma once

#include "datagen/byte_writer.h"

namespace somnara::datagen {

// The small picture on the star backdrop: a sleeping crescent moon, 64 x 64, whose glow
// swells and ebbs like slow breathing while stars twinkle and a "z z" floats up. An
// animated GIF that repeats for ever. Throws std::runtime_error if the encoder fails.
Bytes RenderMoonPicture();

inline constexpr int kMoonPictureSize = 64;
inline constexpr int kMoonPictureFrames = 12;

}  // namespace somnara::datagen
