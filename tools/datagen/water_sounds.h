#pragma once

#include <cstdint>

#include "datagen/dsp.h"

namespace somnara::datagen {

// Sounds of water. Each is a loop of the given length: played again from its start it
// carries on without a seam. Levels are relative; the caller sets the final loudness.

// Waves rolling in on a beach, `waves` of them spread evenly over the loop, on a low
// rumble. calm 0 (stormy) to 1 (quiet) softens the breaking foam.
Samples Surf(double seconds, int waves, double calm, uint64_t seed);

// A babbling brook: a bed of rushing water with many small bubbles.
Samples Brook(double seconds, double bubbles_per_second, uint64_t seed);

// Drops falling into pools of a cave from a few places, each at its own pace, with echo.
Samples CaveDrips(double seconds, uint64_t seed);

}  // namespace somnara::datagen
