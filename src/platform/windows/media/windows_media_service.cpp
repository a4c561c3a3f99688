#include "platform/windows/media/windows_media_service.h"

#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

#include <cstdio>
#include <vector>

#include "platform/windows/system/wide_text.h"

namespace somnara::platform {

MediaResult WindowsMediaService::SendCommand(const std::string& command) {
  wchar_t reply[kReplyCharacters] = {};
  MCIERROR code = mciSendStringW(Widen(command).c_str(), reply, kReplyCharacters, nullptr);
  MediaResult result;
  result.code = int(code);
  if (code == 0) result.reply = Narrow(reply);
  return result;
}

std::string WindowsMediaService::ErrorText(int code) const {
  // The interface's texts fit its classic buffer of 128 characters.
  wchar_t text[128] = {};
  if (mciGetErrorStringW(MCIERROR(code), text, 128) && text[0] != L'\0') return Narrow(text);
  char fallback[64];
  std::snprintf(fallback, sizeof fallback, "Unknown media error %d.", code);
  return fallback;
}

std::optional<std::string> WindowsShortPathService::ShortPath(const std::string& path) const {
  std::wstring wide = Widen(path);
  for (wchar_t& c : wide) {
    if (c == L'/') c = L'\\';
  }
  if (wide.empty()) return std::nullopt;
  std::vector<wchar_t> buffer(MAX_PATH);
  for (int attempt = 0; attempt < 3; ++attempt) {
    DWORD length = GetShortPathNameW(wide.c_str(), buffer.data(), DWORD(buffer.size()));
    if (length == 0) return std::nullopt;  // no such file, or no access to its folder
    if (length < buffer.size()) {
      std::string short_path = Narrow(std::wstring_view(buffer.data(), length));
      if (short_path.find(' ') != std::string::npos) return "\"" + short_path + "\"";
      return short_path;
    }
    // Too small: the answer is the size needed, its terminating zero included.
    buffer.resize(length);
  }
  return std::nullopt;
}

}  // namespace somnara::platform
