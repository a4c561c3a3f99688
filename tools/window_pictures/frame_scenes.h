#pragma once

#include <string>
#include <vector>

namespace somnara::pictures {

// Renders a 438 x 260 window with a skinned frame in each built-in style and with the skin
// stored in the program, as PNG files in `out_dir`, each inside its window outline. Gives
// the files written; throws std::runtime_error when a picture cannot be written.
std::vector<std::string> RenderFrames(const std::string& out_dir);

}  // namespace somnara::pictures
