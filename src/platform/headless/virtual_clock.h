#pragma once

#include "platform/clock.h"

namespace somnara::platform {

// A clock that only moves when told to. The time of day starts at 22:30:00 so that a
// night's texts are the same in every run.
class VirtualClock : public Clock {
 public:
  int64_t NowMs() const override { return now_ms_; }
  std::string LongTimeText() const override;
  void AdvanceTo(int64_t ms) {
    if (ms > now_ms_) now_ms_ = ms;
  }
  void Advance(int64_t ms) { now_ms_ += ms; }
  void SetStartOfDaySeconds(int seconds) { start_of_day_s_ = seconds; }

 private:
  int64_t now_ms_ = 0;
  int start_of_day_s_ = 22 * 3600 + 30 * 60;
};

}  // namespace somnara::platform
