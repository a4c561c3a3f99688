#pragma once

#include <string>

namespace somnara::platform {

// The general MIDI soundfont to play with: the small one when installed, since a large one
// costs half a second and well over a hundred megabytes at every open of a MIDI file.
std::string InstalledSoundfont();

// How the GStreamer media service plays.
struct GstMediaOptions {
  enum class Output {
    // The sound server or device if one answers at start, otherwise silence.
    kProbe,
    // Always silence, at the pace of real playback.
    kSilent,
  };
  Output output = Output::kProbe;
  // Instruments for MIDI files.
  std::string soundfont = InstalledSoundfont();
  // The synthesiser's master gain; its own default is far quieter than recorded sound.
  double midi_gain = 2.0;
  // The longest an open may take before it fails.
  int open_timeout_ms = 3000;
};

}  // namespace somnara::platform
