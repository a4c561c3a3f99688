#pragma once

#include <cstdint>
#include <string>

#include "platform/clock.h"

namespace somnara::testing {

// A clock that moves only when told to.
class ManualClock : public platform::Clock {
 public:
  int64_t NowMs() const override { return now_ms_; }
  std::string LongTimeText() const override { return "00:00:00"; }
  void Advance(int64_t ms) { now_ms_ += ms; }

 private:
  int64_t now_ms_ = 1000;
};

}  // namespace somnara::testing
