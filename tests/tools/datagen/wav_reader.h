#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace somnara::testing {

// A 16-bit PCM WAVE file read strictly: every size field must agree with the bytes.
struct WavSound {
  int channels = 0;
  int rate = 0;
  // Sample values by channel, -1 to 1.
  std::vector<std::vector<double>> samples;
  double Seconds() const { return samples.empty() ? 0.0 : double(samples[0].size()) / rate; }
};

// Returns an empty text and fills sound, or says what is wrong.
std::string ReadWav(const std::vector<uint8_t>& bytes, WavSound& sound);

}  // namespace somnara::testing
