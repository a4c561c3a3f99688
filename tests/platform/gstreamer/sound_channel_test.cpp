// The program's sound channel on the real services: short paths on a case-sensitive file
// system, and the loop timer restarting a track that played to its end.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/gstreamer/silent_media_fixture.h"
#include "platform/gstreamer/sound_files.h"
#include "sound/loop_timer.h"
#include "sound/media.h"
#include "sound/program_file.h"

namespace somnara::sound {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class SoundChannelOnGstTest : public testing::SilentGstMediaTest {
 protected:
  SoundChannelOnGstTest() : SilentGstMediaTest("/Sleep Aid") {
    fs::create_directories(root_ + "/Sleep Aid/sound");
    testing::WriteWav(root_ + "/Sleep Aid/SNatural2.dll", 300);
    testing::WriteMidi(root_ + "/Sleep Aid/sound/start.mid");
  }
};

TEST_F(SoundChannelOnGstTest, TheStartUpTunePlaysFromAFolderWithABlankInItsName) {
  std::string tune = ProgramFile("\\sound\\start.mid");
  std::string short_form = MediaShortPath(tune);
  EXPECT_EQ(short_form, MediaShortPath(root_) + "/sleepa~1/sound/start.mid");
  EXPECT_EQ(MediaOpen("dd", tune, "MPEGVideo"), "ok");
  EXPECT_EQ(MediaSetVolume("dd", 100), "ok");
  EXPECT_EQ(MediaPlay("dd"), "ok");
  EXPECT_EQ(MediaLength("dd"), testing::kMidiLengthMs);
  EXPECT_EQ(MediaGetVolume("dd"), 100);
  MediaSetVolume("dd", 37);
  EXPECT_EQ(MediaGetVolume("dd"), 37);
}

TEST_F(SoundChannelOnGstTest, TheLoopTimerRestartsTheTrackEachTimeItEnds) {
  std::string track = ProgramFile("\\SNatural2.dll");
  MediaCloseAll();
  ASSERT_EQ(MediaOpen("dd", track, "MPEGVideo"), "ok");
  ASSERT_EQ(MediaPlay("dd"), "ok");
  int restarts = 0;
  int last = 0;
  auto start = std::chrono::steady_clock::now();
  while (std::chrono::steady_clock::now() - start < 1500ms) {
    std::this_thread::sleep_for(100ms);
    LoopTimerTick(track);
    int position = MediaPosition("dd");
    ASSERT_GE(position, 0) << "the channel is closed after a tick";
    if (position < last) ++restarts;
    last = position;
  }
  // A 300 ms track, noticed within a tick of its end and reopened at once.
  EXPECT_GE(restarts, 2);
  EXPECT_LE(restarts, 5);
}

}  // namespace
}  // namespace somnara::sound
