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
  // A sound that ends while it is being faded out starts over at the level it had, not with
  // a burst at full volume until the next fade step; a closed channel starts at the default.
  const int level = position == -1 ? -1 : MediaGetVolume(kSoundAlias);
  MediaClose(kSoundAlias);
  MediaOpen(kSoundAlias, current_sound_path, kSoundDeviceType);
  if (level >= 0 && level < 100) MediaSetVolume(kSoundAlias, level);
  MediaPlay(kSoundAlias);
}

}  // namespace somnara::sound
