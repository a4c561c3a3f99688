#include "datagen/water_sounds.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "datagen/random.h"

namespace somnara::datagen {

namespace {

Samples WhiteNoise(size_t count, Random& rng) {
  Samples out(count);
  for (float& s : out) s = float(rng.Bipolar());
  return out;
}

void ScaleToUnitRms(Samples& s) {
  double rms = Rms(s);
  if (rms > 0)
    for (float& v : s) v = float(v / rms);
}

void Mix(Samples& into, const Samples& from, double gain) {
  for (size_t i = 0; i < into.size() && i < from.size(); ++i) into[i] += float(from[i] * gain);
}

// A water bubble that has just formed rings at a pitch that rises as it nears the surface.
Samples Bubble(double f0, double decay, double rise) {
  double seconds = decay * 5;
  return Voice(
      seconds, [=](double t) { return f0 * (1 + rise * t / seconds); },
      [=](double t) { return AttackDecay(t, 0.0008, decay); });
}

}  // namespace

Samples Surf(double seconds, int waves, double calm, uint64_t seed) {
  Random rng(seed);
  const size_t n = SamplesFor(seconds);
  const double period = seconds / waves;
  std::vector<double> strength(static_cast<size_t>(waves));
  for (double& s : strength) s = rng.Range(0.65, 1.0);

  // Each wave swells quickly to its crest at about a third of its period, then washes back
  // slowly; the curve is 0 at both ends of the period, so the waves join without a step.
  auto swell = [&](size_t i) {
    double t = double(i) / kSampleRate;
    double p = std::fmod(t, period) / period;
    size_t k = std::min(size_t(t / period), strength.size() - 1);
    double s = std::sin(std::numbers::pi * std::pow(p, 0.66));
    return s * s * strength[k];
  };
  auto foam = [&](size_t i) {
    double t = double(i) / kSampleRate;
    double p = std::fmod(t, period) / period;
    if (p < 0.28) return 0.0;
    size_t k = std::min(size_t(t / period), strength.size() - 1);
    double since = (p - 0.28) * period;
    // The foam hisses up as the wave breaks and dies away as the water runs back.
    double rise = std::sin(std::numbers::pi * 0.5 * std::min(1.0, since / 0.7));
    return rise * rise * std::exp(-since / 1.4) * (1 - p) * strength[k];
  };

  Samples body = WhiteNoise(n, rng);
  Biquad body_filter;
  FilterLoop(body, [&](float x, size_t i) {
    double e = swell(i);
    body_filter.SetLowpass(220 + 1300 * e, 0.6);
    return float(body_filter.Process(x) * (0.18 + e));
  });
  ScaleToUnitRms(body);

  Samples fizz = WhiteNoise(n, rng);
  Biquad fizz_high, fizz_low;
  fizz_high.SetHighpass(1800, 0.7);
  fizz_low.SetLowpass(6500, 0.7);
  FilterLoop(fizz, [&](float x, size_t i) {
    return float(fizz_low.Process(fizz_high.Process(x)) * foam(i));
  });
  ScaleToUnitRms(fizz);

  Samples rumble = WhiteNoise(n, rng);
  Biquad rumble_filter;
  rumble_filter.SetLowpass(110, 0.7);
  FilterLoop(rumble, [&](float x, size_t) { return rumble_filter.Process(x); });
  ScaleToUnitRms(rumble);

  Samples out(n, 0.0f);
  Mix(out, body, 1.0);
  Mix(out, fizz, 0.45 * (1 - 0.6 * calm));
  Mix(out, rumble, 0.5);
  return out;
}

Samples Brook(double seconds, double bubbles_per_second, uint64_t seed) {
  Random rng(seed);
  const size_t n = SamplesFor(seconds);

  Samples rush = WhiteNoise(n, rng);
  Biquad low, high, top;
  low.SetBandpass(520, 0.7);
  high.SetBandpass(2400, 1.2);
  top.SetLowpass(3500, 0.7);
  FilterLoop(rush, [&](float x, size_t i) {
    double t = double(i) / kSampleRate;
    double sway = 1 + 0.15 * LoopSine(t, seconds, 3) + 0.1 * LoopSine(t, seconds, 7, 1.3);
    return float(top.Process(low.Process(x) + 0.35f * high.Process(x)) * sway);
  });
  ScaleToUnitRms(rush);

  Samples bubbles(n, 0.0f);
  // The water burbles in waves of more and fewer bubbles.
  double t = 0;
  while (true) {
    double rate = bubbles_per_second *
                  (1 + 0.5 * LoopSine(t, seconds, 5) + 0.25 * LoopSine(t, seconds, 11, 0.7));
    t += -std::log(1 - rng.Uniform()) / std::max(1.0, rate);
    if (t >= seconds) break;
    double f0 = rng.LogRange(450, 2300);
    double decay = 0.004 + 0.018 * (600 / f0) * rng.Range(0.7, 1.3);
    double level = std::pow(rng.Uniform(), 2) * (0.4 + 0.6 * (600 / f0));
    AddWrapped(bubbles, Bubble(f0, decay, rng.Range(0.2, 0.6)), t, level);
  }
  ScaleToUnitRms(bubbles);

  Samples out(n, 0.0f);
  Mix(out, rush, 1.0);
  Mix(out, bubbles, 0.9);
  return out;
}

Samples CaveDrips(double seconds, uint64_t seed) {
  Random rng(seed);
  const size_t n = SamplesFor(seconds);

  Samples room = WhiteNoise(n, rng);
  Biquad room_filter;
  room_filter.SetLowpass(260, 0.7);
  FilterLoop(room, [&](float x, size_t) { return room_filter.Process(x); });
  ScaleToUnitRms(room);

  // Each place drips at its own steady pace (a whole number of drops per loop), a little
  // irregular, and now and then leaves a drop out.
  struct Place {
    double pitch;
    int drops;
    double level;
  };
  const Place places[] = {{1150, 13, 1.0}, {1650, 9, 0.7}, {880, 17, 0.55}, {2100, 5, 0.4}};
  Samples drops(n, 0.0f);
  for (const Place& place : places) {
    double step = seconds / place.drops;
    double offset = rng.Range(0, step);
    for (int k = 0; k < place.drops; ++k) {
      if (rng.Chance(0.15)) continue;
      double at = offset + k * step + rng.Range(-0.08, 0.08) * step;
      double f0 = place.pitch * rng.Range(0.96, 1.04);
      Samples plink = Voice(
          0.16, [=](double t) { return f0 * (1 + 0.7 * (1 - std::exp(-t / 0.012))); },
          [](double t) { return AttackDecay(t, 0.001, 0.022); }, {1.0, 0.12});
      AddWrapped(drops, plink, std::fmod(at + seconds, seconds), place.level * rng.Range(0.8, 1));
    }
  }

  Samples wet = drops;
  Reverb cave(1.3, 0.9, 0.35);
  FilterLoop(wet, [&](float x, size_t) { return cave.Process(x); });

  double dry_rms = Rms(drops), wet_rms = Rms(wet);
  Samples out(n, 0.0f);
  Mix(out, drops, 1.0);
  if (wet_rms > 0) Mix(out, wet, 0.9 * dry_rms / wet_rms);
  Mix(out, room, 0.3 * dry_rms);
  return out;
}

}  // namespace somnara::datagen
