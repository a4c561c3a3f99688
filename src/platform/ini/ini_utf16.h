#pragma once

#include <string>
#include <string_view>

// Settings files saved as "Unicode" by desktop editors: UTF-16 behind a byte-order mark. The
// document works on UTF-8 text; these turn the file's code units into that text and back.
namespace somnara::platform {

enum class Utf16Order { kLittleEndian, kBigEndian };

// The code units of `bytes` (without the byte-order mark) as UTF-8. A surrogate without its
// partner becomes the three bytes its code unit would take in UTF-8, so that nothing a
// hand-edited file holds is lost when it is written back. A last odd byte is not decoded.
std::string Utf16ToUtf8(std::string_view bytes, Utf16Order order);

// The reverse of Utf16ToUtf8 for its own output and for valid UTF-8; any other byte becomes
// U+FFFD.
std::string Utf8ToUtf16(std::string_view text, Utf16Order order);

}  // namespace somnara::platform
