#pragma once

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <vector>

namespace somnara::datagen {

// Every sound beside the program is written at this rate.
inline constexpr int kSampleRate = 22050;

// One channel of sound, -1 to 1.
using Samples = std::vector<float>;

size_t SamplesFor(double seconds);

// Low-pass of the first order: gentle, for noise beds and envelopes.
class OnePoleLowpass {
 public:
  explicit OnePoleLowpass(double cutoff_hz = 1000.0) { SetCutoff(cutoff_hz); }
  void SetCutoff(double cutoff_hz);
  float Process(float x) { return state_ += coefficient_ * (x - state_); }

 private:
  float coefficient_ = 0.0f;
  float state_ = 0.0f;
};

// A second-order section with the usual audio cookbook shapes; its coefficients may be
// changed while it runs (a slowly moving cut-off).
class Biquad {
 public:
  void SetLowpass(double hz, double q);
  void SetHighpass(double hz, double q);
  // Peak gain 1 at the centre.
  void SetBandpass(double hz, double q);
  float Process(float x);

 private:
  void Set(double b0, double b1, double b2, double a0, double a1, double a2);
  double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// A small room of parallel damped combs and serial all-passes: a little space around birds
// and drops.
class Reverb {
 public:
  // size scales the delays (1 is a large room); decay 0 to 1; damping 0 to 1.
  Reverb(double size, double decay, double damping);
  float Process(float x);

 private:
  struct Comb {
    std::vector<float> buffer;
    size_t pos = 0;
    float filter = 0;
  };
  struct AllPass {
    std::vector<float> buffer;
    size_t pos = 0;
  };
  std::vector<Comb> combs_;
  std::vector<AllPass> allpasses_;
  float feedback_;
  float damping_;
};

// Runs a filter over a sound that repeats, so that its state at the start is the state
// the end leaves: the filter sees the loop twice and the second pass is kept. filter(x, i)
// gets the input sample and its index.
void FilterLoop(Samples& loop, const std::function<float(float, size_t)>& filter);

// Adds sound into loop from sample start on, carrying on at the loop's beginning past its end.
void AddWrapped(Samples& loop, const Samples& sound, size_t start, double gain = 1.0);
void AddWrapped(Samples& loop, const Samples& sound, double start_seconds, double gain = 1.0);

// A tone whose pitch and loudness follow the given curves of time in seconds; harmonics
// lists the level of each partial from the fundamental up.
Samples Voice(double seconds, const std::function<double(double)>& frequency_hz,
              const std::function<double(double)>& amplitude,
              std::initializer_list<double> harmonics = {1.0});

// 0 at both ends, 1 in the middle: a smooth swell over x in [0, 1].
double Bell(double x);
// A quick rise and an exponential fall.
double AttackDecay(double t, double attack, double decay);
// A curve of period loop_seconds with whole cycles over the loop.
double LoopSine(double t, double loop_seconds, int cycles, double phase = 0.0);

double Rms(const Samples& samples);
double Peak(const Samples& samples);
// Scales all channels alike towards the target loudness, never past the peak level.
void SetLevel(std::initializer_list<Samples*> channels, double target_rms, double max_peak);
// Short raised-cosine ramps at both ends, so a restart does not click.
void FadeEdges(Samples& samples, double milliseconds);

}  // namespace somnara::datagen
