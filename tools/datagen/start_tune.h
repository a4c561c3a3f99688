#pragma once

#include "datagen/byte_writer.h"

namespace somnara::datagen {

// The start-up tune: a short lullaby in F major, three-four time, a celesta melody over soft
// broken piano chords, about thirteen seconds. A Standard MIDI File of format 0.
Bytes RenderStartTune();

}  // namespace somnara::datagen
