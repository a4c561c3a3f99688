#include "tools/datagen/wav_reader.h"

#include <cstring>

namespace somnara::testing {

namespace {

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int width) {
  uint32_t v = 0;
  for (int i = width - 1; i >= 0; --i) v = (v << 8) | b[at + size_t(i)];
  return v;
}

bool Tag(const std::vector<uint8_t>& b, size_t at, const char* tag) {
  return at + 4 <= b.size() && std::memcmp(b.data() + at, tag, 4) == 0;
}

}  // namespace

std::string ReadWav(const std::vector<uint8_t>& b, WavSound& sound) {
  if (b.size() < 44) return "shorter than a WAVE header";
  if (!Tag(b, 0, "RIFF") || !Tag(b, 8, "WAVE")) return "no RIFF WAVE signature";
  if (Le(b, 4, 4) != b.size() - 8) return "the RIFF size does not match the file size";
  size_t at = 12;
  bool have_format = false;
  int bits = 0;
  while (at + 8 <= b.size()) {
    uint32_t size = Le(b, at + 4, 4);
    size_t body = at + 8;
    if (size > b.size() - body) return "a chunk runs past the end of the file";
    if (Tag(b, at, "fmt ")) {
      if (size < 16) return "the format chunk is too short";
      if (Le(b, body, 2) != 1) return "not PCM";
      sound.channels = int(Le(b, body + 2, 2));
      sound.rate = int(Le(b, body + 4, 4));
      uint32_t byte_rate = Le(b, body + 8, 4);
      uint32_t block = Le(b, body + 12, 2);
      bits = int(Le(b, body + 14, 2));
      if (bits != 16) return "not 16 bits a sample";
      if (sound.channels < 1 || sound.channels > 2) return "neither mono nor stereo";
      if (block != uint32_t(2 * sound.channels)) return "wrong block size";
      if (byte_rate != uint32_t(sound.rate) * block) return "wrong byte rate";
      have_format = true;
    } else if (Tag(b, at, "data")) {
      if (!have_format) return "data before format";
      if (size % uint32_t(2 * sound.channels) != 0) return "data is not whole frames";
      if (body + size != b.size()) return "bytes after the data chunk";
      size_t frames = size / size_t(2 * sound.channels);
      sound.samples.assign(size_t(sound.channels), std::vector<double>(frames));
      for (size_t i = 0; i < frames; ++i)
        for (int c = 0; c < sound.channels; ++c)
          sound.samples[size_t(c)][i] =
              int16_t(uint16_t(Le(b, body + 2 * (i * size_t(sound.channels) + size_t(c)), 2))) /
              32768.0;
      return "";
    }
    at = body + size + (size & 1);
  }
  return "no data chunk";
}

}  // namespace somnara::testing
