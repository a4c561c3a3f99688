#include "platform/windows/window/win32_clock.h"

#include "platform/windows/system/wide_text.h"
#include "platform/windows/window/win32_api.h"

namespace somnara::platform {

Win32Clock::Win32Clock() {
  LARGE_INTEGER frequency{};
  if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0)
    frequency_ = frequency.QuadPart;
}

int64_t Win32Clock::NowMs() const {
  LARGE_INTEGER counter{};
  QueryPerformanceCounter(&counter);
  const int64_t c = counter.QuadPart;
  // Split so that counter x 1000 cannot overflow after a long uptime at a high frequency.
  return c / frequency_ * 1000 + c % frequency_ * 1000 / frequency_;
}

std::string Win32Clock::LongTimeText() const {
  wchar_t text[80];
  const int n = GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, text, 80);
  return n > 1 ? Narrow(std::wstring_view(text, size_t(n - 1))) : std::string();
}

}  // namespace somnara::platform
