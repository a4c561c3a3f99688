#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace somnara::platform::x11 {

// Decodes UTF-8; every malformed or overlong sequence becomes one U+FFFD, so a
// bad title never reaches the X server as invalid UTF8_STRING data.
std::vector<uint32_t> DecodeUtf8(std::string_view text);

// The same text re-encoded as clean UTF-8 (malformed parts replaced).
std::string SanitizeUtf8(std::string_view text);

// ISO 8859-1 for the legacy STRING properties; characters outside it become '?'.
std::string Utf8ToLatin1(std::string_view text);

}  // namespace somnara::platform::x11
