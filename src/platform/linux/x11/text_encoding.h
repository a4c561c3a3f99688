#pragma once

#include <string>
#include <string_view>

namespace somnara::platform::x11 {

// ISO 8859-1 for the legacy STRING properties; characters outside it become '?'.
std::string Utf8ToLatin1(std::string_view text);

}  // namespace somnara::platform::x11
