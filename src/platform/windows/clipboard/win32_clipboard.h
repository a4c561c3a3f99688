#pragma once

#include <string>

#include "platform/clipboard.h"

namespace somnara::platform {

class Win32WindowSystem;

// The desktop's clipboard, as Unicode text. The text is handed over whole when set, so it
// stays on offer after the program ends. The window system's helper window opens the
// clipboard: opened by no window, the desktop would refuse the data.
class Win32Clipboard : public Clipboard {
 public:
  explicit Win32Clipboard(Win32WindowSystem& windows) : windows_(windows) {}
  bool SetText(const std::string& text) override;

 private:
  Win32WindowSystem& windows_;
};

}  // namespace somnara::platform
