#pragma once

#include <string>

namespace somnara::datagen {

// The help page that "Help Contents" opens: one self-contained HTML file (styles inline,
// no outside resources) that walks the user through an evening with the program.
std::string RenderHelpPage();

}  // namespace somnara::datagen
