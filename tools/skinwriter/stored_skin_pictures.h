#pragma once

#include <string>
#include <utility>
#include <vector>

#include "skinwriter/canvas.h"

namespace somnara::skinwriter {

// The colours the pictures are drawn in; the skin's colour items use several of them too.
namespace palette {
inline constexpr Rgb kForm{237, 229, 202};
inline constexpr Rgb kControlBorder{209, 192, 160};
inline constexpr Rgb kOutline{92, 60, 36};
inline constexpr Rgb kCaramel{170, 120, 72};
inline constexpr Rgb kLightCaramel{200, 160, 112};
inline constexpr Rgb kSand{226, 212, 178};
inline constexpr Rgb kCream{248, 243, 228};
inline constexpr Rgb kGlyph{252, 248, 238};
}  // namespace palette

// Every picture of the stored skin under its item name, in the order they are stored.
std::vector<std::pair<std::string, Canvas>> DrawStoredSkinPictures();

}  // namespace somnara::skinwriter
