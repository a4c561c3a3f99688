#include "platform/linux/system/real_clock.h"

#include <clocale>
#include <ctime>

namespace somnara::platform {

int64_t RealClock::NowMs() const {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return int64_t(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

std::string RealClock::LongTimeText() const {
  // The locale's own time representation is the desktop's "long time format".
  static const bool locale_set = [] {
    std::setlocale(LC_TIME, "");
    return true;
  }();
  (void)locale_set;
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[64];
  size_t n = std::strftime(text, sizeof text, "%X", &local);
  return std::string(text, n);
}

}  // namespace somnara::platform
