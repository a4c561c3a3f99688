#include "sound/current_sound.h"

namespace somnara::sound {

std::string CurrentSoundPath;

}  // namespace somnara::sound
