// The nature sounds and the spoken guidance: well-formed WAVE files of the promised length
// and shape, and playable in the program's media service.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "tools/datagen/program_folder.h"
#include "tools/datagen/wav_reader.h"
#include "platform/linux/media/gst_media_service.h"

namespace somnara::testing {
namespace {

constexpr int kRate = 22050;

double Rms(const std::vector<double>& s, size_t from, size_t count) {
  double sum = 0;
  for (size_t i = from; i < from + count; ++i) sum += s[i] * s[i];
  return std::sqrt(sum / double(count));
}

// RMS of each window of the given length, in order.
std::vector<double> WindowLevels(const std::vector<double>& s, double window_seconds) {
  std::vector<double> levels;
  size_t window = size_t(window_seconds * kRate);
  for (size_t at = 0; at + window <= s.size(); at += window) levels.push_back(Rms(s, at, window));
  return levels;
}

double Peak(const std::vector<double>& s) {
  double peak = 0;
  for (double v : s) peak = std::max(peak, std::fabs(v));
  return peak;
}

WavSound Read(const std::filesystem::path& path) {
  WavSound sound;
  std::string error = ReadWav(ReadBytes(path), sound);
  EXPECT_EQ(error, "") << path;
  return sound;
}

TEST(WavReaderTest, RefusesFilesWhoseSizesDisagree) {
  // A header and two mono samples.
  std::vector<uint8_t> good = {'R',  'I',  'F', 'F', 40,   0,    0, 0, 'W',  'A',  'V',  'E',
                               'f',  'm',  't', ' ', 16,   0,    0, 0, 1,    0,    1,    0,
                               0x22, 0x56, 0,   0,   0x44, 0xAC, 0, 0, 2,    0,    16,   0,
                               'd',  'a',  't', 'a', 4,    0,    0, 0, 0x00, 0x40, 0x00, 0xC0};
  WavSound sound;
  ASSERT_EQ(ReadWav(good, sound), "");
  EXPECT_EQ(sound.rate, 22050);
  ASSERT_EQ(sound.samples.at(0).size(), 2u);
  EXPECT_DOUBLE_EQ(sound.samples[0][0], 0.5);
  EXPECT_DOUBLE_EQ(sound.samples[0][1], -0.5);

  std::vector<uint8_t> riff_size = good;
  riff_size[4] = 44;
  EXPECT_NE(ReadWav(riff_size, sound), "");
  std::vector<uint8_t> data_size = good;
  data_size[40] = 6;
  EXPECT_NE(ReadWav(data_size, sound), "");
  std::vector<uint8_t> byte_rate = good;
  byte_rate[28] = 0x45;
  EXPECT_NE(ReadWav(byte_rate, sound), "");
  std::vector<uint8_t> eight_bit = good;
  eight_bit[34] = 8;
  EXPECT_NE(ReadWav(eight_bit, sound), "");
}

TEST_F(ProgramFolderTest, NatureSoundsAreLoopableWaveFilesOfHalfAMinute) {
  for (const std::string& name : kNatureSoundFiles) {
    SCOPED_TRACE(name);
    WavSound sound = Read(File(name));
    ASSERT_FALSE(sound.samples.empty());
    EXPECT_EQ(sound.rate, kRate);
    // The stereo version of the natural sound is what its name in the list promises.
    EXPECT_EQ(sound.channels, name == "SNatural2.dll" ? 2 : 1);
    EXPECT_GE(sound.Seconds(), 20.0);
    EXPECT_LE(sound.Seconds(), 40.0);

    for (const std::vector<double>& channel : sound.samples) {
      EXPECT_LT(Peak(channel), 0.95) << "too close to clipping";
      // Soft but never silent: a sleeper must not hear the sound drop out.
      std::vector<double> levels = WindowLevels(channel, 1.0);
      double quietest = *std::min_element(levels.begin(), levels.end());
      double loudest = *std::max_element(levels.begin(), levels.end());
      EXPECT_GT(quietest, 0.01);
      EXPECT_LT(loudest, 0.3) << "a calm sound, not a loud one";
      // The loop restarts without a click and carries on at the level it stopped at.
      EXPECT_LT(std::fabs(channel.front()), 0.002);
      EXPECT_LT(std::fabs(channel.back()), 0.002);
      double end_level = Rms(channel, channel.size() - kRate, kRate - 200);
      double start_level = Rms(channel, 200, kRate - 200);
      EXPECT_LT(std::max(end_level, start_level) / std::min(end_level, start_level), 4.0);
    }
    if (sound.channels == 2) {
      const std::vector<double>& l = sound.samples[0];
      const std::vector<double>& r = sound.samples[1];
      double lr = 0, ll = 0, rr = 0;
      for (size_t i = 0; i < l.size(); ++i) {
        lr += l[i] * r[i];
        ll += l[i] * l[i];
        rr += r[i] * r[i];
      }
      EXPECT_LT(lr / std::sqrt(ll * rr), 0.9) << "the two channels are nearly the same";
    }
  }
}

TEST_F(ProgramFolderTest, GuidanceIsSpeechOverAQuietBed) {
  WavSound guidance = Read(File(kGuidanceFile));
  ASSERT_FALSE(guidance.samples.empty());
  EXPECT_EQ(guidance.channels, 1);
  EXPECT_EQ(guidance.rate, kRate);
  // It repeats during the two-minute focus step: long enough to guide, short enough to
  // be heard whole more than once.
  EXPECT_GE(guidance.Seconds(), 30.0);
  EXPECT_LE(guidance.Seconds(), 60.0);

  const std::vector<double>& s = guidance.samples[0];
  EXPECT_LT(Peak(s), 0.95);
  EXPECT_LT(std::fabs(s.front()), 0.002);
  EXPECT_LT(std::fabs(s.back()), 0.002);
  std::vector<double> levels = WindowLevels(s, 0.25);
  // Leave out the fades at both ends.
  std::vector<double> inner(levels.begin() + 8, levels.end() - 12);
  double quietest = *std::min_element(inner.begin(), inner.end());
  EXPECT_GT(quietest, 0.003) << "the pauses between sentences fall into silence";
  double spoken = 0;
  for (double level : inner)
    if (level > 8 * quietest) spoken += 0.25;
  EXPECT_GT(spoken, 15.0) << "less than 15 s of speech stand out of the bed";
}

TEST_F(ProgramFolderTest, EverySoundOpensInTheMediaServiceWithItsLength) {
  platform::GstMediaOptions options;
  options.output = platform::GstMediaOptions::Output::kSilent;
  // The MIDI open loads a whole soundfont; a loaded or instrumented machine needs longer than a
  // user would wait, and this test is about the files, not the bound.
  options.open_timeout_ms = 20000;
  platform::GstMediaService media(options);
  std::vector<std::string> files = kNatureSoundFiles;
  files.push_back(kGuidanceFile);
  for (const std::string& name : files) {
    SCOPED_TRACE(name);
    WavSound sound = Read(File(name));
    ASSERT_EQ(media.SendCommand("open " + File(name).string() + " type MPEGVideo alias dd").code,
              0);
    platform::MediaResult length = media.SendCommand("status dd length");
    ASSERT_EQ(length.code, 0);
    EXPECT_NEAR(std::stod(length.reply), sound.Seconds() * 1000, 2.0);
    EXPECT_EQ(media.SendCommand("close dd").code, 0);
  }
  ASSERT_EQ(
      media.SendCommand("open " + File("sound/start.mid").string() + " type MPEGVideo alias dd")
          .code,
      0);
  platform::MediaResult length = media.SendCommand("status dd length");
  ASSERT_EQ(length.code, 0);
  EXPECT_GE(std::stod(length.reply), 8000);
  EXPECT_LE(std::stod(length.reply), 15500);
  media.SendCommand("close all");
}

}  // namespace
}  // namespace somnara::testing
