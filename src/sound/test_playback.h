#pragma once

namespace somnara::sound {

// The wizard's trial of a sound: plays the catalogue's sound once on the sound channel,
// after closing whatever was open, and makes it the current sound.
void StartTestPlayback(int catalogue_index);
// Stops the trial (or whatever plays on the channel); the device stays open.
void StopTestPlayback();

}  // namespace somnara::sound
