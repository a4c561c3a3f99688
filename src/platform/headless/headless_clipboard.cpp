#include "platform/headless/headless_clipboard.h"

namespace somnara::platform {

bool HeadlessClipboard::SetText(const std::string& text) {
  ++requests_;
  if (refuses_) return false;
  text_ = text;
  return true;
}

}  // namespace somnara::platform
