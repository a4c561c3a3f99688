#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace somnara::fw {

// The character after a single "&" in a caption ("&OK" -> 'O'), as a code point, or 0.
char32_t AccelChar(std::string_view caption);
// True when `ch` (a typed character) is the caption's access key, letter case ignored.
bool IsAccel(char32_t ch, std::string_view caption);
// The caption as shown: "&&" becomes "&", a single "&" disappears.
std::string StripAccel(std::string_view caption);

}  // namespace somnara::fw
