#pragma once

#include <cstdint>

#include "platform/clock.h"

namespace somnara::platform {

// Milliseconds from the performance counter, which counts finer than a millisecond and
// never wraps, unlike the 32-bit tick count (49.7 days) and the coarse 64-bit one (a
// timer tick, 10 to 16 ms, too coarse for the fades).
class Win32Clock : public Clock {
 public:
  Win32Clock();
  int64_t NowMs() const override;
  // The time of day in the user's long time format, as the desktop's settings give it.
  std::string LongTimeText() const override;

 private:
  int64_t frequency_ = 1;
};

}  // namespace somnara::platform
