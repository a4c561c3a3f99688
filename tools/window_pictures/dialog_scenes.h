#pragma once

#include <string>
#include <vector>

namespace somnara::pictures {

// Renders the skinned message box once with each of its icons and once without, as PNG
// files in `out_dir`. Gives the files written; throws std::runtime_error when a picture
// cannot be written.
std::vector<std::string> RenderMessageDialogs(const std::string& out_dir);

}  // namespace somnara::pictures
