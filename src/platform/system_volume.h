#pragma once

#include <cstdint>

namespace somnara::platform {

// The loudness of the desktop's sound output as one two-channel value: the low 16 bits are
// the left channel, the high 16 bits the right channel, each from 0 (silent) to 65535 (full).
// Called from the UI thread; no call blocks for long.
class SystemVolume {
 public:
  virtual ~SystemVolume() = default;

  // False, leaving *value alone, when the volume cannot be read.
  virtual bool GetVolume(uint32_t* value) = 0;
  // False when the volume cannot be set. A value written reads back unchanged.
  virtual bool SetVolume(uint32_t value) = 0;
  // Whether the output is turned up beyond full scale (a sound server may amplify), which
  // the two-channel value cannot show: such an output reads as full scale on both sides.
  virtual bool AboveFullScale() = 0;
  // Plays a short, quiet-edged tone through this output at its current volume, so the user
  // hears the level just chosen; returns without waiting for the tone to end. False when
  // nothing could be played.
  virtual bool PlayFeedback() = 0;

  static uint16_t Left(uint32_t value) { return uint16_t(value & 0xFFFF); }
  static uint16_t Right(uint32_t value) { return uint16_t(value >> 16); }
  static uint32_t Pack(uint16_t left, uint16_t right) { return uint32_t(right) << 16 | left; }
};

}  // namespace somnara::platform
