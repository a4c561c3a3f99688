#include "datagen/dsp.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace somnara::datagen {

namespace {
constexpr double kPi = std::numbers::pi;
}

size_t SamplesFor(double seconds) {
  return size_t(std::lround(seconds * kSampleRate));
}

void OnePoleLowpass::SetCutoff(double cutoff_hz) {
  coefficient_ = float(1.0 - std::exp(-2.0 * kPi * cutoff_hz / kSampleRate));
}

void Biquad::Set(double b0, double b1, double b2, double a0, double a1, double a2) {
  b0_ = b0 / a0;
  b1_ = b1 / a0;
  b2_ = b2 / a0;
  a1_ = a1 / a0;
  a2_ = a2 / a0;
}

void Biquad::SetLowpass(double hz, double q) {
  double w = 2 * kPi * hz / kSampleRate, c = std::cos(w), alpha = std::sin(w) / (2 * q);
  Set((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

void Biquad::SetHighpass(double hz, double q) {
  double w = 2 * kPi * hz / kSampleRate, c = std::cos(w), alpha = std::sin(w) / (2 * q);
  Set((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

void Biquad::SetBandpass(double hz, double q) {
  double w = 2 * kPi * hz / kSampleRate, c = std::cos(w), alpha = std::sin(w) / (2 * q);
  Set(alpha, 0, -alpha, 1 + alpha, -2 * c, 1 - alpha);
}

float Biquad::Process(float x) {
  double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
  x2_ = x1_;
  x1_ = x;
  y2_ = y1_;
  y1_ = y;
  return float(y);
}

Reverb::Reverb(double size, double decay, double damping)
    : feedback_(float(0.7 + 0.28 * decay)), damping_(float(damping)) {
  // Mutually prime delays (in samples at our rate) keep the echoes from lining up.
  for (int delay : {557, 593, 641, 677, 709, 751})
    combs_.push_back(Comb{std::vector<float>(size_t(std::max(1.0, delay * size)), 0.0f)});
  for (int delay : {277, 223, 173})
    allpasses_.push_back(AllPass{std::vector<float>(size_t(std::max(1.0, delay * size)), 0.0f)});
}

float Reverb::Process(float x) {
  float sum = 0;
  for (Comb& comb : combs_) {
    float out = comb.buffer[comb.pos];
    comb.filter = out * (1 - damping_) + comb.filter * damping_;
    comb.buffer[comb.pos] = x * 0.15f + comb.filter * feedback_;
    comb.pos = (comb.pos + 1) % comb.buffer.size();
    sum += out;
  }
  for (AllPass& pass : allpasses_) {
    float delayed = pass.buffer[pass.pos];
    float in = sum + delayed * 0.5f;
    pass.buffer[pass.pos] = in;
    pass.pos = (pass.pos + 1) % pass.buffer.size();
    sum = delayed - in * 0.5f;
  }
  return sum;
}

void FilterLoop(Samples& loop, const std::function<float(float, size_t)>& filter) {
  Samples input = loop;
  for (int pass = 0; pass < 2; ++pass)
    for (size_t i = 0; i < input.size(); ++i) loop[i] = filter(input[i], i);
}

void AddWrapped(Samples& loop, const Samples& sound, size_t start, double gain) {
  if (loop.empty()) return;
  size_t at = start % loop.size();
  for (float s : sound) {
    loop[at] += float(s * gain);
    if (++at == loop.size()) at = 0;
  }
}

void AddWrapped(Samples& loop, const Samples& sound, double start_seconds, double gain) {
  AddWrapped(loop, sound, SamplesFor(std::max(0.0, start_seconds)), gain);
}

Samples Voice(double seconds, const std::function<double(double)>& frequency_hz,
              const std::function<double(double)>& amplitude,
              std::initializer_list<double> harmonics) {
  Samples out(SamplesFor(seconds));
  double phase = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    double t = double(i) / kSampleRate;
    double f = frequency_hz(t);
    double value = 0;
    int partial = 1;
    for (double level : harmonics) {
      // Partials above the Nyquist limit would fold back as harsh tones.
      if (f * partial < kSampleRate * 0.45) value += level * std::sin(phase * partial);
      ++partial;
    }
    out[i] = float(value * amplitude(t));
    phase = std::fmod(phase + 2 * kPi * f / kSampleRate, 2 * kPi);
  }
  return out;
}

double Bell(double x) {
  if (x <= 0 || x >= 1) return 0;
  double s = std::sin(kPi * x);
  return s * s;
}

double AttackDecay(double t, double attack, double decay) {
  if (t < 0) return 0;
  if (t < attack) return std::sin(0.5 * kPi * t / attack);
  return std::exp(-(t - attack) / decay);
}

double LoopSine(double t, double loop_seconds, int cycles, double phase) {
  return std::sin(2 * kPi * cycles * t / loop_seconds + phase);
}

double Rms(const Samples& samples) {
  if (samples.empty()) return 0;
  double sum = 0;
  for (float s : samples) sum += double(s) * s;
  return std::sqrt(sum / double(samples.size()));
}

double Peak(const Samples& samples) {
  double peak = 0;
  for (float s : samples) peak = std::max(peak, double(std::fabs(s)));
  return peak;
}

void SetLevel(std::initializer_list<Samples*> channels, double target_rms, double max_peak) {
  double rms = 0, peak = 0;
  for (const Samples* channel : channels) {
    rms = std::max(rms, Rms(*channel));
    peak = std::max(peak, Peak(*channel));
  }
  if (rms <= 0 || peak <= 0) return;
  double gain = std::min(target_rms / rms, max_peak / peak);
  for (Samples* channel : channels)
    for (float& s : *channel) s = float(s * gain);
}

void FadeEdges(Samples& samples, double milliseconds) {
  size_t n = std::min(SamplesFor(milliseconds / 1000.0), samples.size() / 2);
  for (size_t i = 0; i < n; ++i) {
    float g = float(0.5 - 0.5 * std::cos(kPi * double(i) / double(n)));
    samples[i] *= g;
    samples[samples.size() - 1 - i] *= g;
  }
}

}  // namespace somnara::datagen
