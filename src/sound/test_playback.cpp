#include "sound/test_playback.h"

#include "sound/current_sound.h"
#include "sound/media.h"
#include "sound/sound_catalogue.h"

namespace somnara::sound {

void StartTestPlayback(int catalogue_index) {
  std::string path = SoundCatalogue::FullPath(catalogue_index);
  // A sound that cannot be played stays silent; the results are not looked at.
  MediaCloseAll();
  CurrentSoundPath = path;
  MediaOpen(kSoundAlias, CurrentSoundPath, kSoundDeviceType);
  MediaPlay(kSoundAlias);
}

void StopTestPlayback() {
  MediaStop(kSoundAlias);
}

}  // namespace somnara::sound
