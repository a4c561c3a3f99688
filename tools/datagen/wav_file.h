#pragma once

#include <vector>

#include "datagen/byte_writer.h"
#include "datagen/dsp.h"

namespace somnara::datagen {

// 16-bit PCM in a RIFF WAVE file; one channel or two of the same length, at kSampleRate.
Bytes EncodeWav(const std::vector<const Samples*>& channels);

// Reads a 16-bit PCM WAVE file into its channels and rate. Throws std::runtime_error when
// the bytes are not such a file.
struct DecodedWav {
  int rate = 0;
  std::vector<Samples> channels;
};
DecodedWav DecodeWav(const Bytes& bytes);

}  // namespace somnara::datagen
