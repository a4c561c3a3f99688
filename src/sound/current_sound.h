#pragma once

#include <string>

namespace somnara::sound {

// Full path of the sound file last opened on the sound channel; the backdrop's loop timer
// opens it again whenever the track has reached its end. Touched only from the UI thread.
extern std::string CurrentSoundPath;

}  // namespace somnara::sound
