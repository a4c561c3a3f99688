#pragma once

#include "framework/graphics/bitmap.h"
#include "framework/graphics/color.h"

namespace somnara::skin {

// Composes a theme's bottom border `width` pixels wide on `buffer`, which becomes as high
// as `first`: with three sections, `first` at the left, `last` right-aligned and `middle`
// stretched between them; otherwise `first` cut in three equal slices, its ends kept and
// its middle stretched. What a missing (empty) picture leaves uncovered shows `fill`.
void ComposeBottomBorder(fw::Bitmap& buffer, int width, const fw::Bitmap& first,
                         const fw::Bitmap& middle, const fw::Bitmap& last, bool three_sections,
                         fw::Color fill);

}  // namespace somnara::skin
