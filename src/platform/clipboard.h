#pragma once

#include <string>

namespace somnara::platform {

// The desktop's clipboard, for text the program hands out (a message box copied with
// Ctrl+C). Setting is all or nothing: either the desktop now offers exactly the new text, or
// the call answers false and nothing of the new text is offered.
class Clipboard {
 public:
  virtual ~Clipboard() = default;

  // Puts `text` (UTF-8, line breaks as the caller wrote them) on the clipboard in place of
  // whatever was there. False when the desktop did not take it.
  virtual bool SetText(const std::string& text) = 0;
};

}  // namespace somnara::platform
