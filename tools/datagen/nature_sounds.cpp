#include "datagen/nature_sounds.h"

#include "datagen/creature_sounds.h"
#include "datagen/water_sounds.h"

namespace somnara::datagen {

namespace {

// Quiet enough to fall asleep to at a normal volume setting; the peak cap leaves room for
// the sudden drops and cries.
constexpr double kTargetRms = 0.09;
constexpr double kMaxPeak = 0.8;
constexpr double kEdgeFadeMs = 6;

std::vector<Samples> Night(double seconds, int channels) {
  // One night scene: the mono file is the stereo one folded down, so both sound alike.
  StereoSamples night = SummerNight(seconds, 0x5EED0001);
  if (channels == 2) return {std::move(night.left), std::move(night.right)};
  Samples mono(night.left.size());
  for (size_t i = 0; i < mono.size(); ++i) mono[i] = 0.5f * (night.left[i] + night.right[i]);
  return {std::move(mono)};
}

std::vector<Samples> GullsOverSurf(double seconds) {
  Samples sea = Surf(seconds, 3, 1.0, 0x5EED0003);
  Samples gulls = GullCalls(seconds, 0x5EED0004);
  double sea_rms = Rms(sea), gull_rms = Rms(gulls);
  for (size_t i = 0; i < sea.size(); ++i)
    sea[i] = float(sea[i] * 0.8 / sea_rms + gulls[i] * 0.45 / gull_rms);
  return {std::move(sea)};
}

}  // namespace

const std::vector<NatureSound>& NatureSounds() {
  static const std::vector<NatureSound> sounds = {
      {"SNatural.dll", "a summer night: crickets, a breeze, a distant owl", 30,
       [](double s) { return Night(s, 1); }},
      {"SNatural2.dll", "the same summer night in stereo", 30,
       [](double s) { return Night(s, 2); }},
      {"SOcean.dll", "slow waves rolling onto a beach", 32,
       [](double s) { return std::vector<Samples>{Surf(s, 4, 0.0, 0x5EED0002)}; }},
      {"SSeabird.dll", "gulls calling over a calm surf", 30, GullsOverSurf},
      {"SBicker.dll", "a babbling brook", 24,
       [](double s) { return std::vector<Samples>{Brook(s, 55, 0x5EED0005)}; }},
      {"SDrip.dll", "water dripping in a cave", 24,
       [](double s) { return std::vector<Samples>{CaveDrips(s, 0x5EED0006)}; }},
      {"SBird.dll", "song birds in a wood", 30,
       [](double s) { return std::vector<Samples>{ForestBirds(s, 0x5EED0007)}; }},
  };
  return sounds;
}

Bytes RenderNatureSound(const NatureSound& sound) {
  std::vector<Samples> channels = sound.render(sound.seconds);
  if (channels.size() == 1) {
    SetLevel({&channels[0]}, kTargetRms, kMaxPeak);
  } else {
    SetLevel({&channels[0], &channels[1]}, kTargetRms, kMaxPeak);
  }
  std::vector<const Samples*> parts;
  for (Samples& c : channels) {
    FadeEdges(c, kEdgeFadeMs);
    parts.push_back(&c);
  }
  return EncodeWav(parts);
}

}  // namespace somnara::datagen
