#include "sound/loop_timer.h"

#include "sound/media.h"

namespace somnara::sound {

void LoopTimerTick(const std::string& current_sound_path) {
  // Position first; a track that reaches its end between the two queries is caught at the
  // next tick.
  int position = MediaPosition(kSoundAlias);
  int length = MediaLength(kSoundAlias);
  // Both are -1 when nothing is open, so a closed channel starts over too.
  if (position != length) return;
  MediaClose(kSoundAlias);
  MediaOpen(kSoundAlias, current_sound_path, kSoundDeviceType);
  MediaPlay(kSoundAlias);
}

}  // namespace somnara::sound
