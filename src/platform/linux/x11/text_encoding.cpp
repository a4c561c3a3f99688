#include "platform/linux/x11/text_encoding.h"

#include "platform/utf8.h"

namespace somnara::platform::x11 {

std::string Utf8ToLatin1(std::string_view text) {
  std::string out;
  for (char32_t cp : DecodeUtf8(text)) out += cp <= 0xFF ? char(cp) : '?';
  return out;
}

}  // namespace somnara::platform::x11
