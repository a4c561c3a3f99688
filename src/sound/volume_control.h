#pragma once

#include <cstdint>

namespace somnara::sound {

// The wizard's volume track bar (positions 0..255) against the system volume (low 16 bits
// left, high 16 bits right). Both channels get position x 256, so 255 is 0xFF00 per channel.
uint32_t TrackPositionToSystemVolume(int position);
// The right channel's level divided by 256; the left channel is not consulted.
int SystemVolumeToTrackPosition(uint32_t value);

// Reads the system volume as a track bar position; false when it cannot be read.
bool ReadSystemVolumePosition(int* position);
// Sets both channels from a track bar position. Failures are not reported. An output turned
// up beyond full scale shows as the top position; that position, written back, leaves it
// as it is rather than cutting it to full scale.
void WriteSystemVolumePosition(int position);

// The system's default sound: a short tone through the sound output at its current volume,
// so the level just chosen is heard; the display's bell only without a sound output.
void DefaultBeep();

}  // namespace somnara::sound
