#include "platform/headless/virtual_clock.h"

#include <cstdio>

namespace somnara::platform {

std::string VirtualClock::LongTimeText() const {
  int64_t s = (start_of_day_s_ + now_ms_ / 1000) % 86400;
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", int(s / 3600), int(s / 60 % 60), int(s % 60));
  return text;
}

}  // namespace somnara::platform
