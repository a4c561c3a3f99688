// Step 2's test playback and volume track bar.
#include <gtest/gtest.h>

#include "framework/controls/combo_box.h"
#include "framework/controls/speed_button.h"
#include "routine/wizard/wizard_fixture.h"
#include "sound/current_sound.h"

namespace somnara::routine {
namespace {

using WizardSoundTest = somnara::testing::WizardTest;

class WizardTestPlayback : public WizardSoundTest {
 protected:
  void SetUp() override {
    WizardSoundTest::SetUp();
    AddTrack("SNatural.dll", 60000);
    AddTrack("SOcean.dll", 60000);
    ClickAt(2000, [] { return Form3->suiButton4; });
    ClickAt(2100, [] { return Form3->suiButton1; });
  }
  void PressTest(int64_t ms) {
    ClickAt(ms, [] { return Form3->speedbutton1; });
  }
  std::string Open(const std::string& file) const {
    return "open " + Element(file) + " type MPEGVideo Alias dd";
  }
};

TEST_F(WizardTestPlayback, PressPressPressPlaysStopsAndPlaysAgainFromTheStart) {
  PressTest(3000);
  At(3001, [&] {
    EXPECT_EQ(Form3->speedbutton1->Caption(), "Stop");
    EXPECT_TRUE(Form3->speedbutton1->Down());
    EXPECT_EQ(sound::CurrentSoundPath, ProgramPath("SNatural.dll"));
  });
  PressTest(8000);
  At(8001, [&] {
    EXPECT_EQ(Form3->speedbutton1->Caption(), "Test Sound");
    EXPECT_FALSE(Form3->speedbutton1->Down());
  });
  PressTest(9000);
  At(9500, [&] {
    EXPECT_EQ(Form3->speedbutton1->Caption(), "Stop");
    EXPECT_EQ(media.SendCommand("status dd position").reply, "500");  // from the start
  });
  Run(9501);
  EXPECT_EQ(Commands(2500),
            (std::vector<std::string>{"Close All", Open("SNatural.dll"), "play dd", "Stop dd",
                                      "Close All", Open("SNatural.dll"), "play dd"}));
}

TEST_F(WizardTestPlayback, ChoosingAnotherSoundStopsTheTestAndNextOnStepTwoToo) {
  PressTest(3000);
  At(4000, [&] {
    // As the list does when the user picks an entry.
    Form3->ComboBox1->SetDroppedDown(true);
  });
  At(4100, [&] {
    windows.PressKey(0x28);  // down arrow: "Natural sound(stereo)"... then Ocean wave
    windows.PressKey(0x28);
    windows.PressKey(0x0D);
  });
  At(4200, [&] {
    EXPECT_EQ(Form3->ComboBox1->ItemIndex(), 2);
    EXPECT_EQ(Form3->speedbutton1->Caption(), "Test Sound");
    EXPECT_FALSE(Form3->speedbutton1->Down());
  });
  PressTest(5000);  // the new sound only with a new press
  ClickAt(6000, [] { return Form3->suiButton2; });
  At(6001, [&] {
    EXPECT_EQ(Form3->speedbutton1->Caption(), "Test Sound");
    EXPECT_FALSE(Form3->speedbutton1->Down());
  });
  Run(6002);
  std::vector<std::string> want = {"Close All", Open("SNatural.dll"), "play dd", "Stop dd"};
  std::vector<std::string> got = Commands(2500);
  ASSERT_GE(got.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(got.begin(), got.begin() + 4), want);
  EXPECT_EQ(std::vector<std::string>(got.begin() + 4, got.end()),
            (std::vector<std::string>{"Close All", Open("SOcean.dll"), "play dd", "Stop dd"}));
}

TEST_F(WizardTestPlayback, ClosingTheWizardLetsTheTestPlayOnToItsEnd) {
  PressTest(3000);
  At(4000,
     [&] { windows.RequestClose(static_cast<platform::HeadlessWindow*>(Form3->NativeWindow())); });
  At(4001, [&] { EXPECT_TRUE(Form2->Visible()); });
  Run(70000);
  EXPECT_EQ(Commands(2500),
            (std::vector<std::string>{"Close All", Open("SNatural.dll"), "play dd"}));
  EXPECT_EQ(media.SendCommand("status dd mode").reply, "stopped");
}

TEST_F(WizardSoundTest, TheTrackBarSetsBothChannelsAndTheMouseReleaseBeeps) {
  ClickAt(2000, [] { return Form3->suiButton4; });
  ClickAt(2100, [] { return Form3->suiButton1; });
  At(2200, [&] {
    volume.ClearWrites();
    Form3->bb1->SetFocus();
    windows.PressKey(0x23);  // End
  });
  At(2300, [&] { windows.PressKey(0x24); });  // Home
  At(2400, [&] { windows.PressKey(0x27); });  // right arrow
  At(2500, [&] {
    EXPECT_EQ(volume.Writes(), (std::vector<uint32_t>{0xFF00FF00u, 0u, 0x01000100u}));
    EXPECT_TRUE(volume.Feedback().empty());
  });
  // A click on the bar, away from the thumb: a page step, and the beep on release.
  ClickAt(
      2600, [] { return Form3->bb1; }, 140, 10);
  At(2700, [&] {
    EXPECT_EQ(Form3->bb1->Position(), 3);
    EXPECT_EQ(volume.Writes().back(), 0x03000300u);
    // Heard through the sound output at the level just set, not as the display's bell.
    EXPECT_EQ(volume.Feedback(), std::vector<uint32_t>{0x03000300u});
    EXPECT_EQ(windows.Beeps(), 0);
  });
  Run(2701);
}

TEST_F(WizardSoundTest, OnShowTheRightChannelSetsThePositionAndIsWrittenBackToBoth) {
  volume.SetValue(0xFFFF0000u);  // right 65535, left 0
  At(kOpen + 1, [&] {
    EXPECT_EQ(Form3->bb1->Position(), 255);
    EXPECT_EQ(volume.Writes(), std::vector<uint32_t>{0xFF00FF00u});
  });
  Run(kOpen + 2);
}

TEST_F(WizardSoundTest, APositionThatIsAlreadyRightWritesNothingAndNoSoundServerChangesNothing) {
  volume.SetValue(0x64FF0000u);  // position 100, as designed
  At(kOpen + 1, [&] {
    EXPECT_EQ(Form3->bb1->Position(), 100);
    EXPECT_TRUE(volume.Writes().empty());
    volume.SetAvailable(false);
  });
  ClickAt(2000, [] { return Form3->suiButton4; });
  ClickAt(2100, [] { return Form3->suiButton1; });
  At(2200, [&] {
    Form3->bb1->SetPosition(7);
    EXPECT_TRUE(volume.Writes().empty());
  });
  Run(2201);
  EXPECT_TRUE(errors.empty());
}

}  // namespace
}  // namespace somnara::routine
