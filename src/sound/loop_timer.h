#pragma once

#include <string>

namespace somnara::sound {

// One tick of the backdrop's loop timer: when the track on the sound channel has played to
// its end, or no track is open at all, opens current_sound_path again and plays it, at the
// level the ended track had. Raises fw::ConvertError as the queries do.
void LoopTimerTick(const std::string& current_sound_path);

}  // namespace somnara::sound
