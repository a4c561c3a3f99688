#pragma once

#include <functional>
#include <string>
#include <vector>

#include "datagen/wav_file.h"

namespace somnara::datagen {

// One of the seven night sounds the user chooses from, as it lies beside the program.
struct NatureSound {
  // The file name the program looks for; audio despite its extension.
  std::string file_name;
  // What it sounds like, for people reading the build output.
  std::string description;
  double seconds;
  // One channel, or two for a stereo picture; at any level.
  std::function<std::vector<Samples>(double seconds)> render;
};

// In the order of the program's sound list.
const std::vector<NatureSound>& NatureSounds();

// The finished WAVE file of one sound: at a calm, even loudness, loopable, with short
// fades at its ends.
Bytes RenderNatureSound(const NatureSound& sound);

}  // namespace somnara::datagen
