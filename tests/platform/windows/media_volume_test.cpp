#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/windows/media/windows_media_service.h"
#include "platform/windows/volume/windows_system_volume.h"
#include "windows_temp_folder.h"

namespace somnara::platform {
namespace {

// One second of silence as 8 kHz, 8-bit mono PCM.
std::string SilentWave() {
  auto le = [](uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += char((value >> (8 * i)) & 0xFF);
    return out;
  };
  const uint32_t samples = 8000;
  return "RIFF" + le(36 + samples, 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(1, 2) + le(8000, 4) +
         le(8000, 4) + le(1, 2) + le(8, 2) + "data" + le(samples, 4) +
         std::string(samples, char(0x80));
}

TEST(WindowsMediaTest, ShortPathOpensOnTheSystemsPlayerAndAnswersComeBackAsTheyAre) {
  testing::WindowsTempFolder folder;
  std::filesystem::create_directories(folder.File("night sounds"));
  const std::string file = folder.File("night sounds\\quiet tune.wav");
  testing::WriteBytes(file, SilentWave());

  WindowsShortPathService short_paths;
  std::optional<std::string> element = short_paths.ShortPath(file);
  ASSERT_TRUE(element);
  EXPECT_EQ(element->find(' '), std::string::npos) << *element;
  EXPECT_FALSE(short_paths.ShortPath(folder.File("none.wav")));

  WindowsMediaService media;
  MediaResult result = media.SendCommand("status dd length");
  EXPECT_NE(result.code, 0);  // not open
  EXPECT_FALSE(media.ErrorText(result.code).empty());

  result = media.SendCommand("open " + *element + " type MPEGVideo Alias dd");
  ASSERT_EQ(result.code, 0) << media.ErrorText(result.code);
  EXPECT_EQ(media.SendCommand("set dd time format milliseconds").code, 0);
  result = media.SendCommand("status dd length");
  EXPECT_EQ(result.code, 0);
  EXPECT_EQ(result.reply, "1000");
  EXPECT_EQ(media.SendCommand("Close All").code, 0);
  EXPECT_NE(media.SendCommand("play dd").code, 0);
}

TEST(WindowsVolumeTest, TheTrackBarsValuesReadBackAsWritten) {
  for (int level = 0; level <= 65535; ++level) {
    ASSERT_EQ(WindowsSystemVolume::ScalarToLevel(WindowsSystemVolume::LevelToScalar(level)), level);
  }
  WindowsSystemVolume volume;
  uint32_t before = 0;
  if (!volume.GetVolume(&before) || !volume.SetVolume(before)) {
    // Wine's endpoint volume reads but sets nothing, and its wave-out takes no device id.
    GTEST_SKIP() << "this system lets no program set the volume of its default output";
  }
  for (uint32_t value : {0xFF00FF00u, 0x01000100u, 0x0000FFFFu, 0u}) {
    ASSERT_TRUE(volume.SetVolume(value));
    uint32_t read = 1;
    ASSERT_TRUE(volume.GetVolume(&read));
    EXPECT_EQ(read, value);
  }
  volume.SetVolume(before);
}

}  // namespace
}  // namespace somnara::platform
