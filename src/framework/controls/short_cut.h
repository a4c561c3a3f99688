#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace somnara::fw {

// A key with modifiers, as menus show it: the virtual key in the low byte, modifier bits
// above it.
using ShortCut = uint16_t;
inline constexpr ShortCut scShift = 0x2000;
inline constexpr ShortCut scCtrl = 0x4000;
inline constexpr ShortCut scAlt = 0x8000;

// "F1", "Ctrl+S", "Shift+Del"; an empty text for 0 or a key without a name.
std::string ShortCutToText(ShortCut shortcut);
// The reverse; 0 for a text that names no key.
ShortCut TextToShortCut(std::string_view text);

}  // namespace somnara::fw
