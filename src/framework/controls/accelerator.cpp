#include "framework/controls/accelerator.h"

#include "framework/graphics/text_renderer.h"
#include "platform/utf8.h"

namespace somnara::fw {
namespace {
char32_t Fold(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c - 'A' + 'a';
  // Latin-1 and Greek/Cyrillic capitals fold by a fixed offset; enough for access keys.
  if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3A9)) return c + 0x20;
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  return c;
}
}  // namespace

char32_t AccelChar(std::string_view caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    std::u32string rest = platform::DecodeUtf8(caption.substr(i + 1, 4));
    return rest.empty() ? 0 : rest[0];
  }
  return 0;
}

bool IsAccel(char32_t ch, std::string_view caption) {
  char32_t key = AccelChar(caption);
  return key != 0 && Fold(key) == Fold(ch);
}

std::string StripAccel(std::string_view caption) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&') {
      out += caption[i];
      continue;
    }
    if (i + 1 < caption.size() && caption[i + 1] == '&') {
      out += '&';
      ++i;
    }
  }
  return out;
}

}  // namespace somnara::fw
