#pragma once

#include "platform/clock.h"

namespace somnara::platform {

// Monotonic time and the user's local time of day.
class RealClock : public Clock {
 public:
  int64_t NowMs() const override;
  std::string LongTimeText() const override;
};

}  // namespace somnara::platform
