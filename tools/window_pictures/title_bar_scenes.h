#pragma once

#include <string>
#include <vector>

namespace somnara::pictures {

// Renders a stand-alone title bar on a 438-pixel form in each built-in style and with the
// skin stored in the program, and the bar's window menu open, as PNG files in `out_dir`.
// Gives the files written; throws std::runtime_error when a picture cannot be written.
std::vector<std::string> RenderTitleBars(const std::string& out_dir);

}  // namespace somnara::pictures
