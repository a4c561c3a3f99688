#pragma once

#include <string>

namespace somnara::platform {

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
  std::string soundfont = "/usr/share/sounds/sf2/FluidR3_GM.sf2";
  // The synthesiser's master gain; its own default is far quieter than recorded sound.
  double midi_gain = 1.0;
  // The longest an open may take before it fails.
  int open_timeout_ms = 3000;
};

}  // namespace somnara::platform
