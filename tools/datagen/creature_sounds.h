#pragma once

#include <cstdint>

#include "datagen/dsp.h"

namespace somnara::datagen {

// Sounds of animals in their places. Each is a loop of the given length that carries on
// without a seam when played again from its start. Levels are relative.

// Song birds in a wood, over leaves in a light breeze.
Samples ForestBirds(double seconds, uint64_t seed);

// Gulls calling over the water; only the calls, to be laid over surf.
Samples GullCalls(double seconds, uint64_t seed);

// A summer night: crickets at various places around the listener, a breeze, a distant owl.
// Both channels of a stereo picture; sum them for one channel.
struct StereoSamples {
  Samples left;
  Samples right;
};
StereoSamples SummerNight(double seconds, uint64_t seed);

}  // namespace somnara::datagen
