#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace somnara::datagen {

// Writes every data file the program reads from its own folder into `folder` (created if
// needed): pend.gif, sound/start.mid, the seven nature sounds, somna.dll and
// help/help.html. Each file is written whole or not at all. `progress` hears one line per
// file. Throws std::runtime_error with a readable reason on failure.
void WriteProgramFiles(const std::filesystem::path& folder,
                       const std::function<void(const std::string&)>& progress);

}  // namespace somnara::datagen
