#pragma once

#include <string>
#include <string_view>

namespace somnara::sound {

// The full path of a data file beside the program. name starts with a separator and may
// use backslashes, as in "\sound\start.mid"; they become the platform's "/".
std::string ProgramFile(std::string_view name);

}  // namespace somnara::sound
