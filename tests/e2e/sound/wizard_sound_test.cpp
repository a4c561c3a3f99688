// The wizard with real sound: Start on the main window by keyboard, the test playback of
// step 2 heard on the sound server and ended by choosing another sound, the skinned volume
// track bar moving the server's output volume by keys and by dragging its slider, and the
// settings written on steps 2 and 3.
#include <gtest/gtest.h>

#include <cmath>

#include "e2e/sound/sound_run_fixture.h"

namespace somnara::testing {
namespace {

const std::string kCaption = "Somnara - Help you easy to get a good night's sleep";
constexpr Size kMainClient{438, 260};
constexpr Size kWizardClient{491, 282};
// The pages fill the client area under the skinned frame's 29-pixel title bar.
constexpr int kPageTop = 29;
// The "Test Sound" latch on step 2.
constexpr Point kTestSoundCentre{366 + 89 / 2, kPageTop + 144 + 22 / 2};
// The volume track bar on step 2: 145 x 21, its slider 11 wide over positions 0 to 255.
constexpr Point kVolumeBar{312, kPageTop + 112};
constexpr int kSliderTravel = 145 - 11;

// The server's volume for a track bar position: position x 256 per channel on a scale
// of 65535, which the server keeps on its own scale of 65536 per 100%.
int ServerVolumeFor(int position) {
  return int(std::lround(position * 256 * 65536.0 / 65535.0));
}

class WizardSoundTest : public SoundRunTest {
 protected:
  // Both channels of the output at the volume of this track bar position (within the
  // rounding of two scale changes).
  bool OutputAt(int position) {
    const auto volumes = pulse_.SinkVolume();
    if (!volumes) return false;
    for (int v : *volumes)
      if (std::abs(v - ServerVolumeFor(position)) > 2) return false;
    return true;
  }
  std::string OutputVolume() {
    std::string text;
    pulse_.Pactl({"get-sink-volume", PulseServer::kSink}, &text);
    return text;
  }
  bool OptionsAre(const std::map<std::string, std::string>& wanted) {
    const auto now = OptionSection();
    for (const auto& [key, value] : wanted) {
      auto it = now.find(key);
      if (it == now.end() || it->second != value) return false;
    }
    return true;
  }
  std::string Options() {
    std::string text;
    for (const auto& [key, value] : OptionSection()) text += key + "=" + value + "\n";
    return text;
  }
};

TEST_F(WizardSoundTest, TestSoundVolumeAndSettingsThroughTheRealSoundServer) {
  // Half volume on the output before the start: the wizard takes its track bar from it.
  ASSERT_TRUE(pulse_.SetSinkVolume(32768));
  Launch();

  // The main window, with the keyboard: Enter presses Start, its first button.
  std::optional<TopWindow> main;
  ASSERT_TRUE(WaitFor([&] {
    main = WindowWithClient(kCaption, kMainClient);
    return main && HasKeyboard(*main);
  })) << "no main window with the keyboard; "
      << Note();
  Keys({"Return"});
  std::optional<TopWindow> wizard;
  ASSERT_TRUE(WaitFor([&] {
    wizard = WindowWithClient(kCaption, kWizardClient);
    return wizard && HasKeyboard(*wizard);
  })) << "Enter on the main window did not bring the wizard; "
      << Note();
  EXPECT_FALSE(WindowWithClient(kCaption, kMainClient)) << "the main window stayed";

  // On show the track bar took the output's right channel (32768, position 128) and wrote
  // it back to both channels.
  EXPECT_TRUE(WaitFor([&] { return OutputAt(128); })) << OutputVolume();
  // Start stopped the start-up tune.
  const int64_t shown = recorder_.RecordedMs();
  ASSERT_TRUE(recorder_.WaitForQuiet(shown, 1000, kSilenceThreshold, kWaitMs))
      << "the start-up tune went on after Start";

  // OK on the introduction (focused first), then Tab to step 1's Next and Enter.
  Keys({"Return", "Tab", "Return"});
  // Test Sound, by mouse: the latch acts as the button goes down.
  const int64_t before_test = recorder_.RecordedMs();
  const Point client = ClientOrigin(*wizard, kWizardClient);
  Click({client.x + kTestSoundCentre.x, client.y + kTestSoundCentre.y});
  const std::optional<int64_t> heard =
      recorder_.WaitForSound(before_test, kSoundThreshold, kWaitMs);
  ASSERT_TRUE(heard) << "Test Sound played nothing; " << Note();
  ASSERT_TRUE(recorder_.WaitUntilRecorded(*heard + 1000, kWaitMs));
  EXPECT_GT(recorder_.Rms(*heard, *heard + 1000), 0.003) << "the test sound is too quiet";

  // Another sound in the list (Tab to it, Down) ends the test playback.
  Keys({"Tab", "Down"});
  const int64_t chosen = recorder_.RecordedMs();
  EXPECT_TRUE(recorder_.WaitForQuiet(chosen, 1000, kSilenceThreshold, 8000))
      << "the test sound went on after another sound was chosen";

  // Tab to the track bar: Right three times, then Page Up (two back).
  Keys({"Tab", "Right", "Right", "Right"});
  EXPECT_TRUE(WaitFor([&] { return OutputAt(131); })) << OutputVolume();
  Keys({"Prior"});
  EXPECT_TRUE(WaitFor([&] { return OutputAt(129); })) << OutputVolume();

  // The slider dragged by its middle to 100 pixels into the bar: the pointer stands for the
  // slider's centre, so the position becomes (100 - 5) x 255 / 134, rounded: 181.
  const Point bar{client.x + kVolumeBar.x, client.y + kVolumeBar.y};
  Drag({bar.x + 129 * kSliderTravel / 255 + 5, bar.y + 10}, {bar.x + 100, bar.y + 10});
  EXPECT_TRUE(WaitFor([&] { return OutputAt(181); })) << OutputVolume();

  // Next on step 2 writes the sound and the track bar.
  EXPECT_TRUE(OptionSection().empty()) << "settings written early:\n" << Options();
  Keys({"Tab", "Return"});
  EXPECT_TRUE(WaitFor([&] {
    return OptionsAre({{"music", "1"}, {"volume", "181"}});
  })) << Options()
      << Note();

  // Step 3: minutes "45", fading off, and "DoNothing" (Page Up to the list's top), so the
  // routine that follows would never act on the machine; then Next.
  Keys({"Tab", "End", "BackSpace", "BackSpace", "4", "5", "Tab", "space", "Tab", "Prior", "Tab",
        "Return"});
  EXPECT_TRUE(WaitFor([&] {
    return OptionsAre(
        {{"music", "1"}, {"volume", "181"}, {"vol", "45"}, {"fout", "0"}, {"exe", "0"}});
  })) << Options()
      << Note();
  program_.Stop();
}

}  // namespace
}  // namespace somnara::testing
