// The start-up tune as it comes out of the sound server: heard at once, played through
// once, then silence, since nothing loops it while the main window waits.
#include <gtest/gtest.h>

#include "e2e/sound/sound_run_fixture.h"

namespace somnara::testing {
namespace {

const std::string kMainCaption = "Somnara - Help you easy to get a good night's sleep";
// sound/start.mid lasts about 14 s; ending is judged with a few seconds of margin for a
// late synthesiser start and for a busy machine.
constexpr int64_t kTuneMs = 14000;
constexpr int64_t kEndMarginMs = 3000;
// The tune's RMS over seconds, far above the silence threshold.
constexpr double kTuneRms = 0.005;

TEST_F(SoundRunTest, StartUpTunePlaysOnceThenSilenceFollows) {
  Launch();
  const std::optional<int64_t> onset = recorder_.WaitForSound(0, kSoundThreshold, kWaitMs);
  ASSERT_TRUE(onset) << "no start-up tune reached the sound server; " << Note();

  ASSERT_TRUE(recorder_.WaitUntilRecorded(*onset + 3000, kWaitMs));
  EXPECT_GT(recorder_.Rms(*onset, *onset + 3000), kTuneRms) << "the tune's first 3 s";
  // Still playing well into it: the tune is not cut short by the main window's arrival.
  ASSERT_TRUE(recorder_.WaitUntilRecorded(*onset + 9000, kWaitMs));
  EXPECT_GT(recorder_.Rms(*onset + 6000, *onset + 9000), kTuneRms) << "the tune's 6th to 9th s";
  EXPECT_TRUE(WindowWithClient(kMainCaption, {438, 260})) << "no main window; " << Note();

  // It ends about when it should: the first second of silence comes near its length.
  const std::optional<int64_t> quiet =
      recorder_.WaitForQuiet(*onset, 1000, kSilenceThreshold, int(kTuneMs + kWaitMs));
  ASSERT_TRUE(quiet) << "the tune did not end; " << Note();
  const int64_t ended = *quiet - 1000 - *onset;
  EXPECT_GT(ended, kTuneMs - 4000) << "the tune stopped early";
  EXPECT_LT(ended, kTuneMs + kEndMarginMs) << "the tune went on too long";

  // And it is not started again: two seconds, well after its end, are silent.
  const int64_t after = *onset + kTuneMs + kEndMarginMs;
  ASSERT_TRUE(recorder_.WaitUntilRecorded(after + 2000, int(kTuneMs + kWaitMs)));
  EXPECT_LT(recorder_.LoudestBlock(after, after + 2000), kSilenceThreshold)
      << "sound after the tune's end";
  EXPECT_TRUE(program_.running() && !program_.Poll()) << Note();
}

}  // namespace
}  // namespace somnara::testing
