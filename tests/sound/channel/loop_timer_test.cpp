// The backdrop's loop timer, tick by tick, as the window's 100 ms timer drives it.
#include "sound/loop_timer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "framework/exceptions.h"
#include "sound/channel/sound_channel_fixture.h"
#include "sound/media.h"

namespace somnara::sound {
namespace {

using ::testing::ElementsAre;

constexpr char kGuidance[] = "/prog/somna.dll";

class LoopTimerTest : public testing::SoundChannelTest {
 protected:
  LoopTimerTest() { AddSound(kGuidance, kGuidance, 1000); }

  // Starts the guidance as the focus step does.
  void StartGuidance() {
    MediaCloseAll();
    MediaOpen("dd", kGuidance, "MPEGVideo");
    MediaPlay("dd");
    media_.ClearLog();
  }

  // Runs the timer for ms at its 100 ms pace.
  void RunTimer(int64_t ms) {
    for (int64_t t = 0; t < ms; t += 100) {
      clock_.Advance(100);
      LoopTimerTick(kGuidance);
    }
  }

  int Opens() const {
    int opens = 0;
    for (const auto& command : Commands()) opens += command.rfind("open ", 0) == 0;
    return opens;
  }
};

TEST_F(LoopTimerTest, APlayingTrackIsOnlyPolled) {
  StartGuidance();
  clock_.Advance(500);
  LoopTimerTick(kGuidance);
  EXPECT_THAT(Commands(), ElementsAre("status dd position", "set dd time format milliseconds",
                                      "status dd length"));
  EXPECT_EQ(MediaPosition("dd"), 500);
}

TEST_F(LoopTimerTest, ATrackAtItsEndIsReopenedAndPlayedWithinOneTick) {
  StartGuidance();
  clock_.Advance(1000);
  LoopTimerTick(kGuidance);
  EXPECT_THAT(Commands(), ElementsAre("status dd position", "set dd time format milliseconds",
                                      "status dd length", "status dd volume", "Close dd",
                                      "open /prog/somna.dll type MPEGVideo Alias dd", "play dd"));
  EXPECT_EQ(media_.Log().back().code, 0);
  clock_.Advance(30);
  EXPECT_EQ(MediaPosition("dd"), 30);  // from the beginning again
}

TEST_F(LoopTimerTest, TheTrackRepeatsOncePerLengthWhileTheTimerRuns) {
  StartGuidance();
  RunTimer(10000);
  // Ends at 1000, 2000, ... give or take the tick that notices each end.
  EXPECT_GE(Opens(), 9);
  EXPECT_LE(Opens(), 10);
  for (const auto& entry : media_.Log()) EXPECT_EQ(entry.code, 0) << entry.command;
}

TEST_F(LoopTimerTest, TheReopenedTrackKeepsTheLevelItHadBeforeItPlays) {
  // Silence too: a track faded out completely must not come back at full volume.
  for (int level : {20, 0}) {
    StartGuidance();
    MediaSetVolume("dd", level);
    clock_.Advance(1000);
    media_.ClearLog();
    LoopTimerTick(kGuidance);
    EXPECT_EQ(MediaGetVolume("dd"), level);
    const std::vector<std::string> commands = Commands();
    ASSERT_GE(commands.size(), 3u);
    EXPECT_EQ(commands[commands.size() - 3], "setaudio dd Volume to " + std::to_string(level * 10));
    EXPECT_EQ(commands[commands.size() - 2], "play dd");
  }
}

TEST_F(LoopTimerTest, AChannelClosedElsewhereIsStartedAgainAtTheNextTick) {
  StartGuidance();
  clock_.Advance(300);
  MediaCloseAll();
  media_.ClearLog();
  clock_.Advance(100);
  LoopTimerTick(kGuidance);
  EXPECT_THAT(Commands(), ElementsAre("status dd position", "set dd time format milliseconds",
                                      "status dd length", "Close dd",
                                      "open /prog/somna.dll type MPEGVideo Alias dd", "play dd"));
  EXPECT_EQ(media_.Log()[3].code, static_cast<int>(platform::MediaError::kAliasNotOpen));
  EXPECT_EQ(MediaPosition("dd"), 0);
  clock_.Advance(100);
  EXPECT_EQ(MediaPosition("dd"), 100);
}

TEST_F(LoopTimerTest, WithoutTheTimerATrackPlaysOnceAndStaysAtItsEnd) {
  StartGuidance();
  clock_.Advance(60000);
  EXPECT_EQ(MediaPosition("dd"), 1000);
  EXPECT_EQ(MediaLength("dd"), 1000);
  EXPECT_EQ(Opens(), 0);
}

TEST_F(LoopTimerTest, AStoppedTrackIsNotRestarted) {
  StartGuidance();
  clock_.Advance(400);
  MediaStop("dd");
  RunTimer(3000);
  EXPECT_EQ(Opens(), 0);
  EXPECT_EQ(MediaPosition("dd"), 400);
}

TEST_F(LoopTimerTest, AMissingFileIsTriedAgainAtEveryTick) {
  media_.RemoveTrack(kGuidance);
  short_paths_.RemoveFile(kGuidance);
  StartGuidance();
  RunTimer(300);
  EXPECT_EQ(Opens(), 3);
  for (const auto& command : Commands()) {
    if (command.rfind("open ", 0) == 0) {
      EXPECT_EQ(command, "open \xE9\x94\x99\xE8\xAF\xAF type MPEGVideo Alias dd");
    }
  }
}

TEST_F(LoopTimerTest, TheLatestSoundPathIsTheOneReopened) {
  AddSound("/prog/SOcean.dll", "/prog/socean.dll", 2000);
  StartGuidance();
  clock_.Advance(1000);
  LoopTimerTick("/prog/SOcean.dll");
  EXPECT_EQ(Commands()[5], "open /prog/socean.dll type MPEGVideo Alias dd");
  EXPECT_EQ(MediaLength("dd"), 2000);
}

}  // namespace
}  // namespace somnara::sound
