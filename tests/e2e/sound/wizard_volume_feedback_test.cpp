// The wizard's volume on a real sound server turned up beyond full scale: showing the wizard
// leaves the output as it is, and a click on the track bar sets the new level and plays
// the feedback tone through the output at that level.
#include <gtest/gtest.h>

#include <cmath>

#include "e2e/sound/sound_run_fixture.h"

namespace somnara::testing {
namespace {

const std::string kCaption = "Somnara - Help you easy to get a good night's sleep";
constexpr Size kMainClient{438, 260};
constexpr Size kWizardClient{491, 282};
// 130% on the server's scale of 65536 per 100%.
constexpr int kAmplified = 85197;
// Near the left end of the track bar on step 2 (its page lies 27 pixels down).
constexpr Point kTrackBarLeft{312 + 10, 27 + 112 + 10};

class WizardVolumeFeedbackTest : public SoundRunTest {
 protected:
  bool OutputIs(int server_volume) {
    const auto volumes = pulse_.SinkVolume();
    if (!volumes) return false;
    for (int v : *volumes)
      if (std::abs(v - server_volume) > 2) return false;
    return true;
  }
  std::string OutputVolume() {
    std::string text;
    pulse_.Pactl({"get-sink-volume", PulseServer::kSink}, &text);
    return text;
  }
};

TEST_F(WizardVolumeFeedbackTest, AnAmplifiedOutputStaysAndTheClickIsHeardAtTheNewLevel) {
  ASSERT_TRUE(pulse_.SetSinkVolume(kAmplified));
  Launch();
  std::optional<TopWindow> main;
  ASSERT_TRUE(WaitFor([&] {
    main = WindowWithClient(kCaption, kMainClient);
    return main && HasKeyboard(*main);
  })) << Note();
  Keys({"Return"});
  std::optional<TopWindow> wizard;
  ASSERT_TRUE(WaitFor([&] {
    wizard = WindowWithClient(kCaption, kWizardClient);
    return wizard && HasKeyboard(*wizard);
  })) << Note();
  // Quiet once Start has stopped the tune: by then the wizard has long been shown.
  const int64_t shown = recorder_.RecordedMs();
  ASSERT_TRUE(recorder_.WaitForQuiet(shown, 1000, kSilenceThreshold, kWaitMs));
  EXPECT_TRUE(OutputIs(kAmplified)) << "showing the wizard changed the output: " << OutputVolume();

  // To step 2; a click left of the thumb (at 255) pages down to 253.
  Keys({"Return", "Tab", "Return"});
  const int64_t before_click = recorder_.RecordedMs();
  const Point client = ClientOrigin(*wizard, kWizardClient);
  Click({client.x + kTrackBarLeft.x, client.y + kTrackBarLeft.y});
  const int level = int(std::lround(253 * 256 * 65536.0 / 65535.0));
  EXPECT_TRUE(WaitFor([&] { return OutputIs(level); })) << OutputVolume();
  const std::optional<int64_t> heard =
      recorder_.WaitForSound(before_click, kSoundThreshold, kWaitMs);
  ASSERT_TRUE(heard) << "no feedback tone after the click; " << Note();
  ASSERT_TRUE(recorder_.WaitUntilRecorded(*heard + 400, kWaitMs));
  // A half-scale tone (RMS 0.354) through the output's cubic volume curve at 253/255,
  // not at the 130% before the click (which would be 0.78).
  const double expected = 0.5 / std::sqrt(2.0) * std::pow(level / 65536.0, 3);
  EXPECT_NEAR(recorder_.LoudestBlock(*heard, *heard + 400), expected, expected * 0.15);
  // A short tone.
  EXPECT_TRUE(recorder_.WaitForQuiet(*heard, 500, kSilenceThreshold, 3000));
  program_.Stop();
}

}  // namespace
}  // namespace somnara::testing
