// The loop timer on the real media service when the looped file is deleted, or replaced
// by bytes that are no sound, while it plays: every reopen fails at once with an error
// text, and the track plays again once the file is back.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/gstreamer/silent_media_fixture.h"
#include "platform/gstreamer/sound_files.h"
#include "sound/loop_timer.h"
#include "sound/media.h"

namespace somnara::sound {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class VanishedSoundOnGstTest : public testing::SilentGstMediaTest {
 protected:
  VanishedSoundOnGstTest() {
    track_ = root_ + "/SNatural.dll";
    testing::WriteWav(track_, 300);
  }

  // Ticks the loop timer `ticks` times, 100 ms apart; gives the longest tick and the number
  // of reopens that failed (a failed reopen leaves nothing open). Counted in ticks, not
  // time, so that a slow (sanitized) run makes as many attempts.
  std::pair<int64_t, int> Loop(int ticks) {
    int64_t longest = 0;
    int failed = 0;
    for (int i = 0; i < ticks; ++i) {
      std::this_thread::sleep_for(100ms);
      auto tick = Clock::now();
      LoopTimerTick(track_);
      longest = std::max<int64_t>(
          longest,
          std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - tick).count());
      if (MediaPosition("dd") == -1) ++failed;
    }
    return {longest, failed};
  }

  std::string track_;
};

TEST_F(VanishedSoundOnGstTest, ReopensFailAtOnceWhileTheFileIsGoneOrGarbageAndPlayWhenItIsBack) {
  ASSERT_EQ(MediaOpen("dd", track_, "MPEGVideo"), "ok");
  ASSERT_EQ(MediaPlay("dd"), "ok");
  // Deleted while it plays: the open file plays on to its end, then no reopen can succeed.
  fs::remove(track_);
  auto [longest, failed] = Loop(10);
  EXPECT_GE(failed, 5);
  EXPECT_LT(longest, 1500) << "a failed reopen waited";
  EXPECT_NE(MediaOpen("dd", track_, "MPEGVideo"), "ok");

  // Garbage of the same name: the reopen fails as quickly.
  std::ofstream(track_, std::ios::binary) << std::string(8192, '\x5A');
  std::tie(longest, failed) = Loop(10);
  EXPECT_GE(failed, 5);
  EXPECT_LT(longest, 1500);

  // A real sound again: the next tick plays it.
  testing::WriteWav(track_, 300);
  std::tie(longest, failed) = Loop(3);
  EXPECT_GE(MediaPosition("dd"), 0);

  // Overwritten in place while it plays: the stream breaks off or plays out, and the
  // reopens fail again without a hang.
  std::ofstream(track_, std::ios::binary | std::ios::trunc) << std::string(8192, '\x5A');
  std::tie(longest, failed) = Loop(10);
  EXPECT_GE(failed, 5);
  EXPECT_LT(longest, 1500);
}

}  // namespace
}  // namespace somnara::sound
