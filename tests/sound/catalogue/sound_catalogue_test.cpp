// The sound catalogue, the volume track bar's conversions and the test playback commands.
#include "sound/sound_catalogue.h"

#include <gtest/gtest.h>

#include "platform/headless/headless_media_service.h"
#include "platform/headless/headless_short_path_service.h"
#include "platform/headless/headless_system_volume.h"
#include "platform/headless/headless_window_system.h"
#include "platform/platform.h"
#include "sound/current_sound.h"
#include "sound/test_playback.h"
#include "sound/volume_control.h"

namespace somnara::sound {
namespace {

class SoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CurrentSoundPath.clear();
    platform::Services s;
    s.windows = &windows;
    s.media = &media;
    s.short_paths = &short_paths;
    s.volume = &volume;
    s.program_dir = "/opt/Somnara";
    platform::Install(s);
  }
  void TearDown() override {
    platform::Install({});
    CurrentSoundPath.clear();
  }
  std::vector<std::string> Commands() const {
    std::vector<std::string> out;
    for (const auto& e : media.Log()) out.push_back(e.command);
    return out;
  }

  platform::HeadlessWindowSystem windows;
  platform::HeadlessMediaService media{windows.Time()};
  platform::HeadlessShortPathService short_paths;
  platform::HeadlessSystemVolume volume;
};

TEST_F(SoundTest, CatalogueNamesAndFilesInListOrderWithNothingOutsideIt) {
  EXPECT_EQ(SoundCatalogue::Names(),
            (std::vector<std::string>{"Natural sound", "Natural sound(stereo)", "Ocean wave",
                                      "Seabird", "Bicker", "Drip", "Bird"}));
  const char* files[] = {"\\SNatural.dll", "\\SNatural2.dll", "\\SOcean.dll", "\\SSeabird.dll",
                         "\\SBicker.dll",  "\\SDrip.dll",     "\\SBird.dll"};
  for (int i = 0; i < SoundCatalogue::kCount; ++i) EXPECT_EQ(SoundCatalogue::FileName(i), files[i]);
  EXPECT_EQ(SoundCatalogue::FullPath(2), "/opt/Somnara/SOcean.dll");
  EXPECT_EQ(std::string(GuidanceSound), "\\somna.dll");
  for (int outside : {-1, 7, 1000, INT32_MIN}) {
    EXPECT_EQ(SoundCatalogue::FileName(outside), "");
    EXPECT_EQ(SoundCatalogue::FullPath(outside), "/opt/Somnara");
  }
}

TEST(VolumeConversion, PositionsGiveEqualChannelsOfPositionTimes256AndTheRightChannelReadsBack) {
  EXPECT_EQ(TrackPositionToSystemVolume(255), 0xFF00FF00u);
  EXPECT_EQ(TrackPositionToSystemVolume(1), 0x01000100u);
  EXPECT_EQ(TrackPositionToSystemVolume(0), 0u);
  EXPECT_EQ(TrackPositionToSystemVolume(100), 0x64006400u);
  for (int p = 0; p <= 255; ++p)
    EXPECT_EQ(SystemVolumeToTrackPosition(TrackPositionToSystemVolume(p)), p);
  // Only the right channel counts, rounded down.
  EXPECT_EQ(SystemVolumeToTrackPosition(0xFFFF0000u), 255);
  EXPECT_EQ(SystemVolumeToTrackPosition(0x0000FFFFu), 0);
  EXPECT_EQ(SystemVolumeToTrackPosition(0x01FF0000u), 1);
  EXPECT_EQ(SystemVolumeToTrackPosition(0x00FFFFFFu), 0);
}

TEST_F(SoundTest, PositionsReachTheSystemVolumeAndComeBackFromIt) {
  volume.SetValue(0xFFFF0000u);
  int position = -1;
  ASSERT_TRUE(ReadSystemVolumePosition(&position));
  EXPECT_EQ(position, 255);
  WriteSystemVolumePosition(position);
  WriteSystemVolumePosition(1);
  WriteSystemVolumePosition(0);
  EXPECT_EQ(volume.Writes(), (std::vector<uint32_t>{0xFF00FF00u, 0x01000100u, 0u}));
  // Without a sound server nothing is read and nothing is said.
  volume.SetAvailable(false);
  position = 42;
  EXPECT_FALSE(ReadSystemVolumePosition(&position));
  EXPECT_EQ(position, 42);
  WriteSystemVolumePosition(7);
  EXPECT_EQ(volume.Writes().size(), 3u);
  DefaultBeep();
  EXPECT_EQ(windows.Beeps(), 1);
}

TEST_F(SoundTest, WithoutVolumeOrWindowServicesTheCallsDoNothing) {
  platform::Install({});
  int position = 3;
  EXPECT_FALSE(ReadSystemVolumePosition(&position));
  WriteSystemVolumePosition(10);
  DefaultBeep();
  EXPECT_EQ(position, 3);
}

TEST_F(SoundTest, TestPlaybackClosesEverythingOpensTheChosenSoundAndStopsOnRequest) {
  short_paths.AddFile("/opt/Somnara/SOcean.dll", "/opt/Somnara/SOCEAN~1.DLL");
  media.AddTrack("/opt/somnara/socean~1.dll", 60000);
  StartTestPlayback(2);
  EXPECT_EQ(CurrentSoundPath, "/opt/Somnara/SOcean.dll");
  StopTestPlayback();
  StartTestPlayback(2);
  EXPECT_EQ(Commands(), (std::vector<std::string>{
                            "Close All", "open /opt/somnara/socean~1.dll type MPEGVideo Alias dd",
                            "play dd", "Stop dd", "Close All",
                            "open /opt/somnara/socean~1.dll type MPEGVideo Alias dd", "play dd"}));
  for (const auto& e : media.Log()) EXPECT_EQ(e.code, 0) << e.command;
}

TEST_F(SoundTest, AMissingOrUnknownSoundFailsSilently) {
  StartTestPlayback(4);  // no such file
  EXPECT_EQ(CurrentSoundPath, "/opt/Somnara/SBicker.dll");
  StartTestPlayback(-1);
  EXPECT_EQ(CurrentSoundPath, "/opt/Somnara");
  ASSERT_EQ(media.Log().size(), 6u);
  EXPECT_NE(media.Log()[1].code, 0);
  EXPECT_NE(media.Log()[4].code, 0);
}

}  // namespace
}  // namespace somnara::sound
