#pragma once

#include <cstdint>
#include <vector>

namespace resgen {

// Straight (not premultiplied) colour, 0x00RRGGBB, and alpha of one pixel.
struct Rgba {
  uint32_t rgb = 0;
  uint8_t alpha = 0;
};

// The program's icon, `size` pixels square, rows top to bottom: a golden crescent moon and a
// star on a midnight-blue disc, drawn from shapes so that every size is sharp. `classic`:
// flat colours of the sixteen-colour palette, for 16-colour images, where gradients would
// break up into unrelated colours.
std::vector<Rgba> DrawProgramIcon(int size, bool classic);

}  // namespace resgen
