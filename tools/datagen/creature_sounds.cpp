#include "datagen/creature_sounds.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "datagen/random.h"

namespace somnara::datagen {

namespace {

constexpr double kPi = std::numbers::pi;

Samples BandNoise(size_t count, double low_hz, double high_hz, Random& rng) {
  Samples out(count);
  for (float& s : out) s = float(rng.Bipolar());
  Biquad high, low;
  high.SetHighpass(low_hz, 0.7);
  low.SetLowpass(high_hz, 0.7);
  FilterLoop(out, [&](float x, size_t) { return low.Process(high.Process(x)); });
  double rms = Rms(out);
  for (float& s : out) s = float(s / rms);
  return out;
}

// Places `count` events over the loop, one in each of as many equal slots, so that they
// spread out without a regular beat.
std::vector<double> SpreadTimes(double seconds, int count, Random& rng) {
  std::vector<double> times;
  double slot = seconds / count;
  for (int k = 0; k < count; ++k) times.push_back(k * slot + rng.Range(0.05, 0.75) * slot);
  return times;
}

// A clear whistled phrase of a few gliding notes.
Samples WhistlePhrase(Random& rng) {
  Samples phrase;
  int notes = 3 + rng.Below(4);
  double base = rng.Range(1900, 3000);
  for (int k = 0; k < notes; ++k) {
    double from = base * rng.Range(0.85, 1.3), to = base * rng.Range(0.85, 1.3);
    double length = rng.Range(0.11, 0.24);
    Samples note = Voice(
        length, [=](double t) { return from + (to - from) * t / length; },
        [=](double t) { return Bell(t / length); }, {1.0, 0.07});
    phrase.insert(phrase.end(), note.begin(), note.end());
    phrase.resize(phrase.size() + SamplesFor(rng.Range(0.05, 0.12)), 0.0f);
  }
  return phrase;
}

// A fast run of short falling chirps.
Samples Trill(Random& rng) {
  double rate = rng.Range(14, 21), length = rng.Range(0.8, 1.4);
  double top = rng.Range(4300, 5200);
  return Voice(
      length,
      [=](double t) {
        double in_pulse = std::fmod(t * rate, 1.0);
        return top * (1 - 0.18 * in_pulse) * (1 - 0.08 * t / length);
      },
      [=](double t) {
        double in_pulse = std::fmod(t * rate, 1.0);
        return Bell(std::min(1.0, in_pulse * 1.7)) * Bell(0.1 + 0.8 * t / length);
      },
      {1.0, 0.05});
}

// Two or three quick "chip" calls.
Samples Chips(Random& rng) {
  Samples out;
  int count = 2 + rng.Below(2);
  double top = rng.Range(4000, 4800);
  for (int k = 0; k < count; ++k) {
    Samples chip = Voice(
        0.05, [=](double t) { return top - 1700 * t / 0.05; },
        [](double t) { return Bell(t / 0.05); }, {1.0, 0.1});
    out.insert(out.end(), chip.begin(), chip.end());
    out.resize(out.size() + SamplesFor(rng.Range(0.07, 0.12)), 0.0f);
  }
  return out;
}

// A dove far off: a soft, low "hoo-HOO-hoo-hoo".
Samples Coo(Random& rng) {
  Samples out;
  double pitch = rng.Range(430, 520);
  const double lengths[] = {0.3, 0.55, 0.3, 0.35};
  const double levels[] = {0.7, 1.0, 0.6, 0.5};
  for (int k = 0; k < 4; ++k) {
    double length = lengths[k];
    Samples note = Voice(
        length, [=](double t) { return pitch * (1 + 0.06 * Bell(t / length)); },
        [=](double t) { return levels[k] * Bell(t / length); }, {1.0, 0.25, 0.05});
    out.insert(out.end(), note.begin(), note.end());
    out.resize(out.size() + SamplesFor(0.12), 0.0f);
  }
  return out;
}

// One gull's "kee-ow": a raspy cry that leaps up and falls away.
Samples GullCry(double pitch, double length) {
  return Voice(
      length,
      [=](double t) {
        double x = t / length;
        return pitch * (x < 0.15 ? 1 + x : 1.15 - 0.55 * (x - 0.15));
      },
      [=](double t) {
        double x = t / length;
        double shape = std::pow(Bell(std::pow(x, 0.6)), 0.6);
        return shape * (1 + 0.25 * std::sin(2 * kPi * 62 * t));
      },
      {1.0, 0.65, 0.45, 0.3, 0.18, 0.1});
}

// One cricket chirp: a few pulses of a pure carrier.
Samples CricketChirp(double carrier, int pulses, Random& rng) {
  const double pulse = 0.016, spacing = 0.034;
  double length = spacing * pulses;
  double wobble = rng.Range(0, 2 * kPi);
  return Voice(
      length, [=](double t) { return carrier * (1 + 0.004 * std::sin(40 * t + wobble)); },
      [=](double t) {
        double in = std::fmod(t, spacing);
        return in < pulse ? Bell(in / pulse) : 0.0;
      });
}

}  // namespace

Samples ForestBirds(double seconds, uint64_t seed) {
  Random rng(seed);
  const size_t n = SamplesFor(seconds);

  Samples leaves = BandNoise(n, 200, 1400, rng);
  Samples rustle = BandNoise(n, 2500, 7000, rng);
  Samples out(n, 0.0f);
  for (size_t i = 0; i < n; ++i) {
    double t = double(i) / kSampleRate;
    double gust = 0.6 + 0.25 * LoopSine(t, seconds, 2) + 0.15 * LoopSine(t, seconds, 5, 2.0);
    out[i] = float(0.05 * leaves[i] * gust + 0.012 * rustle[i] * gust * gust);
  }

  Samples birds(n, 0.0f);
  std::vector<double> times = SpreadTimes(seconds, 16, rng);
  for (double at : times) {
    double pick = rng.Uniform();
    Samples call = pick < 0.4    ? WhistlePhrase(rng)
                   : pick < 0.65 ? Trill(rng)
                   : pick < 0.88 ? Chips(rng)
                                 : Coo(rng);
    // Nearer and farther birds.
    AddWrapped(birds, call, at, rng.Range(0.25, 1.0));
  }
  Samples wet = birds;
  Reverb wood(0.8, 0.55, 0.55);
  FilterLoop(wet, [&](float x, size_t) { return wood.Process(x); });
  double scale = Rms(wet) > 0 ? 0.5 * Rms(birds) / Rms(wet) : 0.0;
  for (size_t i = 0; i < n; ++i) out[i] += 0.22f * float(birds[i] + wet[i] * scale);
  return out;
}

Samples GullCalls(double seconds, uint64_t seed) {
  Random rng(seed);
  Samples out(SamplesFor(seconds), 0.0f);
  for (double at : SpreadTimes(seconds, 5, rng)) {
    double pitch = rng.Range(1050, 1450);
    double level = rng.Range(0.35, 1.0);
    int cries = 2 + rng.Below(3);
    double when = at;
    for (int k = 0; k < cries; ++k) {
      AddWrapped(out, GullCry(pitch * (1 - 0.03 * k), rng.Range(0.3, 0.42)), when,
                 level * (1 - 0.12 * k));
      when += rng.Range(0.45, 0.6);
    }
  }
  // Far over the water the high partials fade first.
  OnePoleLowpass air(3200);
  FilterLoop(out, [&](float x, size_t) { return air.Process(x); });
  return out;
}

StereoSamples SummerNight(double seconds, uint64_t seed) {
  Random rng(seed);
  const size_t n = SamplesFor(seconds);
  StereoSamples out{Samples(n, 0.0f), Samples(n, 0.0f)};

  // Two breezes, one on each side, that rise and fall at different times.
  Samples breeze_left = BandNoise(n, 60, 650, rng);
  Samples breeze_right = BandNoise(n, 60, 650, rng);
  for (size_t i = 0; i < n; ++i) {
    double t = double(i) / kSampleRate;
    double l = 0.6 + 0.4 * LoopSine(t, seconds, 2), r = 0.6 + 0.4 * LoopSine(t, seconds, 2, 2.2);
    out.left[i] = float(0.05 * breeze_left[i] * l);
    out.right[i] = float(0.05 * breeze_right[i] * r);
  }

  auto place = [&](const Samples& sound, double at, double gain, double pan) {
    // Equal loudness wherever the sound stands between the two sides.
    double angle = (pan + 1) * kPi / 4;
    AddWrapped(out.left, sound, at, gain * std::cos(angle));
    AddWrapped(out.right, sound, at, gain * std::sin(angle));
  };

  // Each cricket keeps its own beat: a whole number of chirps fits the loop.
  for (int c = 0; c < 6; ++c) {
    double carrier = rng.Range(3900, 5100);
    int pulses = 3 + rng.Below(2);
    int chirps = int(seconds / rng.Range(0.45, 0.95));
    double step = seconds / chirps, offset = rng.Range(0, step);
    double gain = c < 2 ? rng.Range(0.7, 1.0) : rng.Range(0.15, 0.5);
    double pan = rng.Range(-0.85, 0.85);
    // Now and then a cricket pauses for a while.
    int rest_from = rng.Below(chirps), rest_length = rng.Below(chirps / 4 + 1);
    for (int k = 0; k < chirps; ++k) {
      int since_rest = (k - rest_from + chirps) % chirps;
      if (since_rest < rest_length) continue;
      place(CricketChirp(carrier, pulses, rng), offset + k * step, gain * 0.12, pan);
    }
  }

  // A tree cricket far away sings one long soft trill that swells and fades.
  Samples trill = Voice(
      seconds, [](double) { return 2850.0; },
      [&](double t) {
        double pulse = std::fmod(t * 42, 1.0);
        return (pulse < 0.55 ? Bell(pulse / 0.55) : 0.0) * (0.55 + 0.45 * LoopSine(t, seconds, 3));
      });
  place(trill, 0, 0.035, -0.3);

  // An owl, once per loop.
  double owl_at = rng.Range(0.35, 0.6) * seconds;
  double hoot_pitch = rng.Range(360, 400);
  for (double start : {0.0, 0.9, 1.3}) {
    double length = start == 0.0 ? 0.6 : 0.32;
    Samples hoot = Voice(
        length, [=](double t) { return hoot_pitch * (1 - 0.05 * t / length); },
        [=](double t) { return Bell(std::pow(t / length, 0.7)); }, {1.0, 0.15});
    place(hoot, owl_at + start, 0.09, -0.6);
  }
  return out;
}

}  // namespace somnara::datagen
