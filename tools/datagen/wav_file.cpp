#include "datagen/wav_file.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace somnara::datagen {

namespace {

uint32_t Le(const Bytes& b, size_t at, int width) {
  uint32_t v = 0;
  for (int i = width - 1; i >= 0; --i) v = (v << 8) | b[at + size_t(i)];
  return v;
}

bool TagAt(const Bytes& b, size_t at, const char* tag) {
  return at + 4 <= b.size() && std::equal(tag, tag + 4, b.begin() + std::ptrdiff_t(at));
}

[[noreturn]] void Fail(const std::string& why) {
  throw std::runtime_error("not a 16-bit PCM WAVE file: " + why);
}

}  // namespace

Bytes EncodeWav(const std::vector<const Samples*>& channels) {
  if (channels.empty() || channels.size() > 2) throw std::invalid_argument("1 or 2 channels");
  const size_t frames = channels[0]->size();
  for (const Samples* c : channels)
    if (c->size() != frames) throw std::invalid_argument("channels differ in length");
  const uint32_t block = uint32_t(2 * channels.size());
  const uint64_t data_size = uint64_t(frames) * block;
  if (data_size > 0xFFFFFF00ull) throw std::invalid_argument("too long for a WAVE file");

  Bytes out;
  out.reserve(44 + size_t(data_size));
  PutText(out, "RIFF");
  PutLe32(out, uint32_t(36 + data_size));
  PutText(out, "WAVEfmt ");
  PutLe32(out, 16);
  PutLe16(out, 1);  // PCM
  PutLe16(out, uint32_t(channels.size()));
  PutLe32(out, kSampleRate);
  PutLe32(out, kSampleRate * block);
  PutLe16(out, block);
  PutLe16(out, 16);
  PutText(out, "data");
  PutLe32(out, uint32_t(data_size));
  for (size_t i = 0; i < frames; ++i)
    for (const Samples* c : channels) {
      long v = std::lround(std::clamp((*c)[i], -1.0f, 1.0f) * 32767.0f);
      PutLe16(out, uint16_t(int16_t(v)));
    }
  return out;
}

DecodedWav DecodeWav(const Bytes& b) {
  if (!TagAt(b, 0, "RIFF") || !TagAt(b, 8, "WAVE")) Fail("no RIFF WAVE header");
  DecodedWav wav;
  int channels = 0;
  size_t at = 12;
  while (at + 8 <= b.size()) {
    uint32_t size = Le(b, at + 4, 4);
    size_t body = at + 8;
    // A streamed file may leave the data size open (0 or all ones): take what is there.
    size_t available = b.size() - body;
    size_t length = std::min<size_t>(size, available);
    if (TagAt(b, at, "fmt ")) {
      if (length < 16) Fail("short format chunk");
      if (Le(b, body, 2) != 1 || Le(b, body + 14, 2) != 16) Fail("not 16-bit PCM");
      channels = int(Le(b, body + 2, 2));
      wav.rate = int(Le(b, body + 4, 4));
      if (channels < 1 || channels > 8 || wav.rate < 1000 || wav.rate > 192000)
        Fail("impossible channel count or rate");
    } else if (TagAt(b, at, "data")) {
      if (channels == 0) Fail("data before format");
      if (size == 0 || size == 0xFFFFFFFFu) length = available;
      size_t frames = length / (2 * size_t(channels));
      wav.channels.assign(size_t(channels), Samples(frames));
      for (size_t i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c) {
          auto v = int16_t(uint16_t(Le(b, body + (i * size_t(channels) + size_t(c)) * 2, 2)));
          wav.channels[size_t(c)][i] = float(v) / 32768.0f;
        }
      return wav;
    }
    at = body + length + (length & 1);
  }
  Fail("no data chunk");
}

}  // namespace somnara::datagen
