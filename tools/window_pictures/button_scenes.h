#pragma once

#include <string>
#include <vector>

namespace somnara::pictures {

// Renders skinned buttons in each built-in style and with the skin stored in the program,
// one row a style (focused, normal, pressed, disabled, with a glyph), as buttons.png in
// `out_dir`. Gives the files written; throws std::runtime_error when a picture cannot be
// written.
std::vector<std::string> RenderButtons(const std::string& out_dir);

}  // namespace somnara::pictures
