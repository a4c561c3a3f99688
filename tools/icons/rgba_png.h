#pragma once

#include <string>
#include <vector>

#include "program_icon_picture.h"

namespace somnara::icons {

// Writes a square picture as an 8-bit RGBA PNG file with no time stamp, so the same pixels
// always give the same bytes. Gives an error text, empty on success.
std::string WriteRgbaPng(const std::string& path, int size,
                         const std::vector<resgen::Rgba>& pixels);

}  // namespace somnara::icons
