#pragma once

#include <cstdint>
#include <string>

namespace somnara::platform {

// Time as the UI thread sees it. The headless backend's clock only moves when the
// message loop waits, which is what lets a whole night run in a fraction of a second.
class Clock {
 public:
  virtual ~Clock() = default;
  // Monotonic milliseconds since an arbitrary start.
  virtual int64_t NowMs() const = 0;
  // The current local time of day in the user's long time format (for example "23:05:09").
  virtual std::string LongTimeText() const = 0;
};

}  // namespace somnara::platform
