#include "sound/volume_control.h"

#include "platform/platform.h"
#include "platform/system_volume.h"
#include "platform/window_system.h"

namespace somnara::sound {

uint32_t TrackPositionToSystemVolume(int position) {
  // The track bar keeps its position within 0..255; the mask keeps a stray value from
  // spilling into the other channel.
  uint32_t p = uint32_t(position) & 0xFF;
  return p << 24 | p << 8;
}

int SystemVolumeToTrackPosition(uint32_t value) {
  return int(value >> 24);
}

bool ReadSystemVolumePosition(int* position) {
  platform::SystemVolume* volume = platform::Current().volume;
  uint32_t value = 0;
  if (volume == nullptr || !volume->GetVolume(&value)) return false;
  *position = SystemVolumeToTrackPosition(value);
  return true;
}

void WriteSystemVolumePosition(int position) {
  platform::SystemVolume* volume = platform::Current().volume;
  if (volume == nullptr) return;
  if (position == SystemVolumeToTrackPosition(0xFFFFFFFF) && volume->AboveFullScale()) return;
  volume->SetVolume(TrackPositionToSystemVolume(position));
}

void DefaultBeep() {
  if (platform::SystemVolume* volume = platform::Current().volume) {
    if (volume->PlayFeedback()) return;
  }
  if (platform::WindowSystem* windows = platform::Current().windows) windows->Beep();
}

}  // namespace somnara::sound
