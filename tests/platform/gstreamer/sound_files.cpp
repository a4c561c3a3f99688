#include "platform/gstreamer/sound_files.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <numbers>
#include <vector>

namespace somnara::testing {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
void PutBig32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back((v >> shift) & 0xFF);
}
void PutText(std::vector<uint8_t>& out, const char* text) {
  for (const char* p = text; *p != '\0'; ++p) out.push_back(static_cast<uint8_t>(*p));
}
void Save(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

void WriteWav(const std::string& path, int duration_ms, double frequency_hz, double amplitude) {
  constexpr uint32_t kRate = 44100;
  const uint32_t samples = kRate * static_cast<uint32_t>(duration_ms) / 1000;
  std::vector<uint8_t> out;
  PutText(out, "RIFF");
  Put32(out, 36 + samples * 2);
  PutText(out, "WAVEfmt ");
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, 1);  // mono
  Put32(out, kRate);
  Put32(out, kRate * 2);
  Put16(out, 2);
  Put16(out, 16);
  PutText(out, "data");
  Put32(out, samples * 2);
  for (uint32_t i = 0; i < samples; ++i) {
    double v = amplitude * std::sin(2 * std::numbers::pi * frequency_hz * i / kRate);
    Put16(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(v * 32767))));
  }
  Save(path, out);
}

void WriteMidi(const std::string& path, int notes) {
  // 480 ticks per quarter note at the default 120 beats a minute: 240 ticks are 250 ms.
  static constexpr uint8_t kScale[] = {60, 64, 67, 72, 67, 64};
  std::vector<uint8_t> track = {0x00, 0xC0, 0x00};  // piano
  for (int i = 0; i < notes; ++i) {
    uint8_t key = kScale[i % 6];
    track.insert(track.end(), {0x00, 0x90, key, 100});      // on at once
    track.insert(track.end(), {0x81, 0x70, 0x80, key, 0});  // off 240 ticks later
  }
  track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});  // end of track
  std::vector<uint8_t> out;
  PutText(out, "MThd");
  PutBig32(out, 6);
  out.insert(out.end(), {0, 0, 0, 1, 0x01, 0xE0});  // format 0, one track, 480 ticks
  PutText(out, "MTrk");
  PutBig32(out, static_cast<uint32_t>(track.size()));
  out.insert(out.end(), track.begin(), track.end());
  Save(path, out);
}

bool EncodeTone(const std::string& path, int duration_ms, const std::string& encoder,
                int channels) {
  // 441 samples a buffer: one buffer is 10 ms.
  std::string command =
      "timeout 30 gst-launch-1.0 -q audiotestsrc num-buffers=" + std::to_string(duration_ms / 10) +
      " samplesperbuffer=441 ! audio/x-raw,rate=44100,channels=" + std::to_string(channels) +
      " ! audioconvert ! " + encoder + " ! filesink location='" + path + "' >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path) << text;
}

}  // namespace somnara::testing
