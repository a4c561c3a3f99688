#pragma once

#include <string>
#include <vector>

namespace somnara::pictures {

// Runs the whole program on the headless desktop through the main window, the about
// window, the wizard's pages and the routine's steps, and writes a PNG of each window as
// the user sees it into `out_dir`. `data_dir` is a program folder whose picture files
// (pend.gif) are used; sounds are not played. Gives the files written; throws
// std::runtime_error when a picture cannot be written.
std::vector<std::string> RenderProgramWindows(const std::string& data_dir,
                                              const std::string& out_dir);

}  // namespace somnara::pictures
