#include "platform/ini/ini_utf16.h"

#include "platform/utf8.h"

namespace somnara::platform {
namespace {

bool IsHighSurrogate(char32_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char32_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

char32_t UnitAt(std::string_view bytes, std::size_t index, Utf16Order order) {
  auto first = static_cast<unsigned char>(bytes[2 * index]);
  auto second = static_cast<unsigned char>(bytes[2 * index + 1]);
  return order == Utf16Order::kLittleEndian ? char32_t(first | second << 8)
                                            : char32_t(first << 8 | second);
}

void AppendUnit(std::string& out, char32_t unit, Utf16Order order) {
  char high = char(unit >> 8), low = char(unit & 0xFF);
  if (order == Utf16Order::kLittleEndian) {
    out += low;
    out += high;
  } else {
    out += high;
    out += low;
  }
}

// The three-byte form of a lone surrogate, which strict UTF-8 decoders refuse.
void AppendLoneSurrogate(std::string& out, char32_t unit) {
  out += char(0xE0 | (unit >> 12));
  out += char(0x80 | ((unit >> 6) & 0x3F));
  out += char(0x80 | (unit & 0x3F));
}

// The lone surrogate whose three-byte form starts `text`, or 0.
char32_t LoneSurrogateAt(std::string_view text) {
  if (text.size() < 3 || static_cast<unsigned char>(text[0]) != 0xED) return 0;
  auto second = static_cast<unsigned char>(text[1]);
  auto third = static_cast<unsigned char>(text[2]);
  if (second < 0xA0 || second > 0xBF || (third & 0xC0) != 0x80) return 0;
  return 0xD000 | char32_t(second & 0x3F) << 6 | char32_t(third & 0x3F);
}

}  // namespace

std::string Utf16ToUtf8(std::string_view bytes, Utf16Order order) {
  const std::size_t units = bytes.size() / 2;
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < units; ++i) {
    char32_t unit = UnitAt(bytes, i, order);
    if (IsHighSurrogate(unit) && i + 1 < units && IsLowSurrogate(UnitAt(bytes, i + 1, order))) {
      char32_t low = UnitAt(bytes, ++i, order);
      AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      AppendLoneSurrogate(out, unit);
    } else {
      AppendUtf8(out, unit);
    }
  }
  return out;
}

std::string Utf8ToUtf16(std::string_view text, Utf16Order order) {
  std::string out;
  out.reserve(text.size() * 2);
  while (!text.empty()) {
    char32_t code_point = 0;
    std::size_t length = DecodeUtf8Char(text, code_point);
    if (length == 0) {
      code_point = LoneSurrogateAt(text);
      length = code_point != 0 ? 3 : 1;
      if (code_point == 0) code_point = kReplacementCharacter;
    }
    text.remove_prefix(length);
    if (code_point >= 0x10000) {
      AppendUnit(out, 0xD800 + ((code_point - 0x10000) >> 10), order);
      AppendUnit(out, 0xDC00 + ((code_point - 0x10000) & 0x3FF), order);
    } else {
      AppendUnit(out, code_point, order);
    }
  }
  return out;
}

}  // namespace somnara::platform
