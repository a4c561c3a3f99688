#pragma once

#include <cstdint>

#include "platform/system_volume.h"

namespace somnara::platform {

// The volume of the default sound output as the system's own volume control shows it: the
// endpoint's per-channel levels, 0.0 to 1.0 on the control's scale. A channel level of
// 0..65535 maps linearly onto that scale, so the wizard's track bar moves in step with the
// system's slider; the left value goes to the first channel, the right value to the second,
// the louder of the two to any others (centre, bass, rear), and a mono output, or one whose
// channels cannot be set apart, takes the louder one on all. Since the system's sounds play through
// that output too, the feedback is the system's default sound at the level just set.
//
// Where there is no endpoint to ask (no output device, or a system without the endpoint
// interface), the first wave-out device's own volume stands in: the same two-channel value.
class WindowsSystemVolume : public SystemVolume {
 public:
  bool GetVolume(uint32_t* value) override;
  bool SetVolume(uint32_t value) override;
  // The endpoint's scale ends at full: nothing here amplifies.
  bool AboveFullScale() override { return false; }
  bool PlayFeedback() override;

  // The mapping between a channel level and the endpoint's scale; exact both ways for every
  // level.
  static float LevelToScalar(uint16_t level) { return float(level) / 65535.0f; }
  static uint16_t ScalarToLevel(float scalar);

 private:
  // What the last write asked for and what the system made of it: an output that rounds
  // still reads back the value written, until someone else changes the volume.
  bool have_written_ = false;
  uint32_t written_ = 0;
  uint32_t written_seen_ = 0;
};

}  // namespace somnara::platform
