#pragma once

#include <cstdint>

#include "platform/media_error.h"

namespace somnara::platform {

// One opened sound file, as a media backend plays it. Times are in milliseconds.
class MediaDevice {
 public:
  virtual ~MediaDevice() = default;

  // Plays from the current position; at the end of the track, from its beginning.
  virtual MediaError Play() = 0;
  // Halts and keeps the position.
  virtual MediaError Stop() = 0;
  // 0 silent to 1000 full.
  virtual MediaError SetVolume(int level) = 0;
  virtual int64_t LengthMs() = 0;
  // Equals LengthMs() once the track has played to its end, and never before.
  virtual int64_t PositionMs() = 0;
  virtual bool Playing() = 0;
  // Takes note of what happened since the last call (end of the track, failures).
  virtual void Poll() {}
};

}  // namespace somnara::platform
