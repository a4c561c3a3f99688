#include "datagen/guidance.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <numbers>
#include <stdexcept>
#include <string>

#include "datagen/dsp.h"
#include "datagen/process.h"
#include "datagen/wav_file.h"

namespace somnara::datagen {

namespace {

// Breaks give the listener time to follow each request.
constexpr const char* kScript = R"(<speak>
Good evening. <break time="900ms"/>
Let your eyes rest on the red circle in front of you. <break time="1200ms"/>
There is nothing else you need to do now. <break time="1200ms"/>
Let your shoulders drop. Let your hands and arms become heavy. <break time="1400ms"/>
Breathe in slowly, <break time="1000ms"/> and breathe out gently. <break time="1400ms"/>
With every breath, you feel a little warmer, and a little calmer. <break time="1400ms"/>
If a thought comes along, let it drift by, like a cloud in the night sky. <break time="1400ms"/>
Your forehead is smooth. Your jaw is loose. Your legs are heavy. <break time="1400ms"/>
Stay with the red circle. <break time="1000ms"/> Breathe in, <break time="1000ms"/> and breathe out. <break time="1400ms"/>
You are calm. You are safe. And sleep will come by itself.
</speak>)";

constexpr double kLeadIn = 2.0;
constexpr double kTail = 2.5;
constexpr double kVoicePeak = 0.7;
constexpr double kDroneLevel = 0.035;

// Removes the scratch recording however we leave.
struct ScratchFile {
  std::filesystem::path path;
  ~ScratchFile() {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
  }
};

Samples Resample(const Samples& in, int from_rate) {
  if (from_rate == kSampleRate || in.empty()) return in;
  Samples out(size_t(double(in.size()) * kSampleRate / from_rate));
  for (size_t i = 0; i < out.size(); ++i) {
    double at = double(i) * from_rate / kSampleRate;
    size_t k = size_t(at);
    double frac = at - double(k);
    float a = in[std::min(k, in.size() - 1)], b = in[std::min(k + 1, in.size() - 1)];
    out[i] = float(a + (b - a) * frac);
  }
  return out;
}

Samples Speak(const std::filesystem::path& scratch) {
  ScratchFile guard{scratch};
  ProcessResult run = RunProgram(
      {"espeak-ng", "-m", "-v", "en+f2", "-s", "140", "-p", "38", "-w", scratch.string(), kScript});
  if (!run.started)
    throw std::runtime_error("cannot run espeak-ng (" + run.error +
                             "); the spoken guidance needs the espeak-ng package");
  if (run.exit_code != 0)
    throw std::runtime_error(
        "espeak-ng failed (" +
        (run.error.empty() ? "exit code " + std::to_string(run.exit_code) : run.error) +
        ") while speaking the guidance");
  std::ifstream in(scratch, std::ios::binary);
  Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  DecodedWav wav = DecodeWav(bytes);
  if (wav.channels.empty() || wav.channels[0].size() < size_t(wav.rate))
    throw std::runtime_error("espeak-ng left no speech in " + scratch.string());
  return Resample(wav.channels[0], wav.rate);
}

// Low open fifths on A with slowly beating pairs: a warm hum under the voice.
Samples Drone(size_t count) {
  Samples out(count);
  const double seconds = double(count) / kSampleRate;
  const double pitches[] = {110.0, 110.35, 164.8, 165.2, 220.0};
  const double levels[] = {1.0, 0.8, 0.55, 0.45, 0.2};
  for (size_t i = 0; i < count; ++i) {
    double t = double(i) / kSampleRate;
    double v = 0;
    for (int k = 0; k < 5; ++k) v += levels[k] * std::sin(2 * std::numbers::pi * pitches[k] * t);
    double swell = 0.8 + 0.2 * std::sin(2 * std::numbers::pi * t / 12.0);
    double fade = std::min({1.0, t / 1.5, (seconds - t) / 2.0});
    out[i] = float(v * swell * fade);
  }
  return out;
}

}  // namespace

Bytes RenderGuidance(const std::filesystem::path& scratch_file) {
  Samples voice = Speak(scratch_file);
  double peak = Peak(voice);
  if (peak <= 0) throw std::runtime_error("espeak-ng recorded only silence");

  const size_t lead = SamplesFor(kLeadIn);
  Samples out = Drone(lead + voice.size() + SamplesFor(kTail));
  double drone_scale = kDroneLevel / Rms(out);
  for (float& s : out) s = float(s * drone_scale);
  for (size_t i = 0; i < voice.size(); ++i) out[lead + i] += float(voice[i] * kVoicePeak / peak);
  FadeEdges(out, 6);
  return EncodeWav({&out});
}

}  // namespace somnara::datagen
