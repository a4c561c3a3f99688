// The wizard's window, pages and settings.
#include <gtest/gtest.h>

#include "framework/controls/check_box.h"
#include "framework/controls/combo_box.h"
#include "framework/controls/edit.h"
#include "framework/controls/image.h"
#include "framework/controls/label.h"
#include "framework/controls/memo.h"
#include "framework/controls/speed_button.h"
#include "framework/file_path.h"
#include "framework/timer.h"
#include "routine/breathing_window.h"
#include "routine/focus_window.h"
#include "routine/wizard/wizard_fixture.h"

namespace somnara::routine {
namespace {

using WizardTest = somnara::testing::WizardTest;

std::vector<std::string> Visible(const TForm3& w) {
  std::vector<std::string> out;
  for (skin::TsuiGroupBox* g : {w.gb, w.gb1, w.gb2, w.gb3})
    if (g->Visible()) out.push_back(g->Name());
  return out;
}

TEST_F(WizardTest, AFreshInstallationShowsTheDefaultsOnTheIntroductionPage) {
  windows.SetScreenSize({1280, 800});
  At(kOpen + 1, [&] {
    ASSERT_NE(Form3, nullptr);
    EXPECT_TRUE(Form3->IsModal());
    EXPECT_EQ(Form3->Owner(), Form2);
    EXPECT_EQ(Form3->Caption(), "Somnara - Help you easy to get a good night's sleep");
    EXPECT_EQ(Form3->ClientWidth(), 491);
    EXPECT_EQ(Form3->ClientHeight(), 282);
    auto* native = static_cast<platform::HeadlessWindow*>(Form3->NativeWindow());
    EXPECT_NEAR(native->Bounds().left + native->Bounds().Width() / 2.0, 640, 1);
    EXPECT_NEAR(native->Bounds().top + native->Bounds().Height() / 2.0, 400, 1);
    EXPECT_EQ(native->OpacityHistory().front(), 0);
    EXPECT_EQ(Visible(*Form3), std::vector<std::string>{"gb"});
    EXPECT_EQ(Form3->Edit1->Text(), "30");
    EXPECT_TRUE(Form3->CheckBox1->Checked());
    EXPECT_EQ(Form3->ComboBox2->ItemIndex(), 3);
    EXPECT_EQ(Form3->ComboBox2->Text(), "ShutDown");
    EXPECT_EQ(Form3->ComboBox1->ItemIndex(), 0);
    EXPECT_EQ(Form3->ComboBox1->Text(), "Natural sound");
    EXPECT_EQ(Form3->ComboBox1->Items().size(), 7u);
    EXPECT_EQ(Form3->speedbutton1->Caption(), "Test Sound");
    EXPECT_EQ(Form3->bb1->Max(), 255);
    EXPECT_EQ(Form3->Image1->GetPicture().Bitmap().Width(), 128);
    EXPECT_EQ(Form3->Image1->GetPicture().Bitmap().Height(), 215);
    EXPECT_EQ(Form3->Memo3->Lines().front(), "Step 3:");
    EXPECT_TRUE(Form3->Memo3->ReadOnly());
    EXPECT_FALSE(Form3->Memo1->ReadOnly());
    for (skin::TsuiButton* next : {Form3->suiButton1, Form3->suiButton2, Form3->suiButton3}) {
      EXPECT_EQ(next->Caption(), "Next");
      EXPECT_EQ(next->Left(), 392);
      EXPECT_EQ(next->Top(), 216);
    }
  });
  // Fades in by 5 per millisecond to 210 and stops there.
  At(kOpen + 42, [&] { EXPECT_EQ(Form3->AlphaBlendValue(), 205); });
  At(kOpen + 100, [&] {
    EXPECT_EQ(Form3->AlphaBlendValue(), 210);
    EXPECT_FALSE(Form3->Timer1->Enabled());
  });
  Run(kOpen + 101);
  EXPECT_EQ(SettingsCalls(),
            (std::vector<std::string>{"read vol=30", "read fout=", "read exe=", "read music="}));
  EXPECT_TRUE(errors.empty());
}

TEST_F(WizardTest, TabOrdersFollowEachPage) {
  At(kOpen + 1, [&] {
    // The stops Tab visits (the track bar's slider is a part of it, not a stop).
    auto order = [](fw::WinControl* page) {
      std::vector<std::string> names;
      for (fw::WinControl* w : page->TabList())
        if (w->TabStop()) names.push_back(w->Name());
      return names;
    };
    EXPECT_EQ(order(Form3->gb), (std::vector<std::string>{"suiButton4", "suiButton5"}));
    EXPECT_EQ(order(Form3->gb1), (std::vector<std::string>{"suiButton1", "Memo1"}));
    EXPECT_EQ(order(Form3->gb2),
              (std::vector<std::string>{"ComboBox1", "bb1", "suiButton2", "Memo2"}));
    EXPECT_EQ(order(Form3->gb3),
              (std::vector<std::string>{"Edit1", "CheckBox1", "ComboBox2", "suiButton3", "Memo3"}));
  });
  Run(kOpen + 2);
}

TEST_F(WizardTest, OkNextNextNextWriteTheKeysInOrderThenTheFocusStepFollowsTheFadeOut) {
  volume.SetValue(0xFF00FF00u);
  ThroughTheWizard(2000);
  At(2101, [&] { EXPECT_EQ(Visible(*Form3), std::vector<std::string>{"gb2"}); });
  At(2201, [&] {
    EXPECT_EQ(Visible(*Form3), std::vector<std::string>{"gb3"});
    EXPECT_EQ(SettingsLines(), (std::vector<std::string>{"[Option]", "music=0", "volume=255"}));
    recording.ClearCalls();
  });
  At(2301, [&] {
    EXPECT_TRUE(Form3->Timer2->Enabled());
    EXPECT_EQ(Visible(*Form3), std::vector<std::string>{"gb3"});  // stays while fading
    EXPECT_EQ(Form5, nullptr);
  });
  // 42 ticks from 210 to 0, the 43rd opens the focus window; the wizard waits at 0 under it.
  At(2343, [&] { EXPECT_EQ(Form5, nullptr); });
  At(2344, [&] {
    ASSERT_NE(Form5, nullptr);
    EXPECT_TRUE(Form5->IsModal());
    EXPECT_EQ(Form5->Owner(), Form3);
    EXPECT_EQ(Form3->AlphaBlendValue(), 0);
    EXPECT_TRUE(Form3->Visible());
    EXPECT_FALSE(Form3->Timer2->Enabled());
    // Closing the focus window by hand ends its loop; the wizard then hides itself.
    Form5->Close();
  });
  At(2345, [&] {
    EXPECT_FALSE(Form3->Visible());
    EXPECT_TRUE(Form3->IsModal());
    EXPECT_FALSE(Form2->Visible());
  });
  Run(2346);
  EXPECT_EQ(SettingsLines(), (std::vector<std::string>{"[Option]", "music=0", "volume=255",
                                                       "vol=30", "fout=1", "exe=3"}));
  EXPECT_EQ(SettingsCalls(),
            (std::vector<std::string>{"write vol=30", "write fout=1", "write exe=3"}));
  EXPECT_TRUE(errors.empty());
}

TEST_F(WizardTest, AfterStepThreeTheRoutineRunsOnInsideTheHiddenWizard) {
  ThroughTheWizard(2000);
  // Focus window from 2344: it closes 120 s + 52 ms later, the breathing window follows 1 s on.
  constexpr int64_t kBreathing = 2344 + 120052 + 1000;
  At(2344 + 120053, [&] {
    EXPECT_FALSE(Form3->Visible());
    EXPECT_TRUE(Form3->IsModal());
    EXPECT_EQ(Form6, nullptr);
  });
  At(kBreathing + 1, [&] {
    ASSERT_NE(Form6, nullptr);
    EXPECT_TRUE(Form6->IsModal());
    EXPECT_FALSE(Form3->Visible());
    EXPECT_FALSE(Form2->Visible());  // the main window never comes back
  });
  Run(kBreathing + 2);
  EXPECT_TRUE(errors.empty());
}

TEST_F(WizardTest, SavedSettingsAreShownByTheNextWizardAndUnknownIndexesLeaveTheListsEmpty) {
  WriteFile("option.ini", "[Option]\nvol=abc\nfout=0\nexe=9\nmusic=4\n");
  At(kOpen + 1, [&] {
    EXPECT_EQ(Form3->Edit1->Text(), "abc");
    EXPECT_FALSE(Form3->CheckBox1->Checked());
    EXPECT_EQ(Form3->ComboBox2->ItemIndex(), -1);
    EXPECT_EQ(Form3->ComboBox2->Text(), "");
    EXPECT_EQ(Form3->ComboBox1->ItemIndex(), 4);
    EXPECT_EQ(Form3->ComboBox1->Text(), "Bicker");
  });
  Run(kOpen + 2);
}

TEST_F(WizardTest, AListWithoutSelectionStoresMinusOneAndTextMinutesAreKeptAsTyped) {
  ThroughTheWizard(2000);
  At(2150, [&] { Form3->ComboBox1->SetItemIndex(-1); });
  At(2250, [&] {
    Form3->ComboBox2->SetItemIndex(-1);
    Form3->ComboBox2->SetText("");
    Form3->Edit1->SetText("abc");
    Form3->CheckBox1->SetChecked(false);
  });
  At(2400, [&] { EXPECT_NE(Form5, nullptr) << "the routine goes on"; });
  Run(2401);
  EXPECT_EQ(SettingsLines(), (std::vector<std::string>{"[Option]", "music=-1", "volume=100",
                                                       "vol=abc", "fout=0", "exe=-1"}));
}

TEST_F(WizardTest, AFolderThatCannotBeWrittenKeepsThePageAndSaysSo) {
  std::string message = "Unable to write to " + fw::ShownPath(ProgramPath("option.ini"));
  ClickAt(2000, [] { return Form3->suiButton4; });
  ClickAt(2100, [] { return Form3->suiButton1; });
  At(2150, [&] { recording.RefuseWritesAfter(0, EACCES); });
  ClickAt(2200, [] { return Form3->suiButton2; });
  At(2201, [&] {
    EXPECT_EQ(Visible(*Form3), std::vector<std::string>{"gb2"});
    ASSERT_EQ(errors, std::vector<std::string>{message});
    recording.RefuseWritesAfter(0, 0);
    recording.AcceptWrites();
  });
  ClickAt(2300, [] { return Form3->suiButton2; });
  At(2301, [&] {
    EXPECT_EQ(Visible(*Form3), std::vector<std::string>{"gb3"});
    // On step 3 the first write gets through, the second does not.
    recording.RefuseWritesAfter(1, EACCES);
  });
  ClickAt(2400, [] { return Form3->suiButton3; });
  At(2401, [&] {
    EXPECT_EQ(Visible(*Form3), std::vector<std::string>{"gb3"});
    EXPECT_FALSE(Form3->Timer2->Enabled());
    EXPECT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors.back(), message);
  });
  At(2500, [&] {
    EXPECT_EQ(Form3->AlphaBlendValue(), 210);  // no fade-out
    EXPECT_EQ(Form5, nullptr);
  });
  Run(2501);
  EXPECT_EQ(SettingsLines(),
            (std::vector<std::string>{"[Option]", "music=0", "volume=100", "vol=30"}));
}

// The close button on each page in turn, each time in a new wizard.
class WizardCloseTest : public WizardTest, public ::testing::WithParamInterface<int> {};

TEST_P(WizardCloseTest, TheCloseButtonOnAnyPageBringsTheMainWindowBack) {
  int pages_forward = GetParam();
  skin::TsuiButton* (*nexts[])() = {[] { return Form3->suiButton4; },
                                    [] { return Form3->suiButton1; },
                                    [] { return Form3->suiButton2; }};
  for (int i = 0; i < pages_forward; ++i) ClickAt(2000 + 100 * i, nexts[i]);
  At(2500, [&] {
    EXPECT_FALSE(Form2->Visible());
    windows.RequestClose(static_cast<platform::HeadlessWindow*>(Form3->NativeWindow()));
  });
  At(2501, [&] {
    EXPECT_TRUE(Form2->Visible());
    EXPECT_FALSE(Form3->Visible());
    EXPECT_FALSE(Form3->IsModal());
    EXPECT_EQ(Form5, nullptr);
    // The window keeps its page.
    skin::TsuiGroupBox* pages[] = {Form3->gb, Form3->gb1, Form3->gb2, Form3->gb3};
    EXPECT_TRUE(pages[GetParam()]->Visible());
  });
  Run(2502);
}

INSTANTIATE_TEST_SUITE_P(Pages, WizardCloseTest, ::testing::Values(0, 1, 2, 3));

TEST_F(WizardTest, CancelOnTheIntroductionClosesTheWizard) {
  ClickAt(2000, [] { return Form3->suiButton5; });
  At(2001, [&] {
    EXPECT_TRUE(Form2->Visible());
    EXPECT_FALSE(Form3->IsModal());
    EXPECT_FALSE(Form3->Visible());
  });
  Run(2002);
  EXPECT_TRUE(recording.calls().size() == 4u);  // the reads on show, nothing written
}

}  // namespace
}  // namespace somnara::routine
