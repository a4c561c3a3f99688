#include "platform/windows/clipboard/win32_clipboard.h"

#include <cstring>

#include "platform/windows/system/wide_text.h"
#include "platform/windows/window/win32_api.h"
#include "platform/windows/window/win32_window_system.h"

namespace somnara::platform {
namespace {

// Another program may hold the clipboard open for a moment (a clipboard viewer reading
// what we put there last): try a few times before giving up.
bool OpenWithRetries(HWND owner) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(10);
  }
  return false;
}

}  // namespace

bool Win32Clipboard::SetText(const std::string& text) {
  const std::wstring wide = Widen(text);
  const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return false;
  void* data = GlobalLock(memory);
  if (!data) {
    GlobalFree(memory);
    return false;
  }
  std::memcpy(data, wide.c_str(), bytes);
  GlobalUnlock(memory);
  if (!OpenWithRetries(windows_.helper())) {
    GlobalFree(memory);
    return false;
  }
  // Emptied first, so a failure below leaves nothing on offer rather than the old text.
  bool taken = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  // Once taken the memory is the desktop's.
  if (!taken) GlobalFree(memory);
  return taken;
}

}  // namespace somnara::platform
