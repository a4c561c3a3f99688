// Check boxes report every change of state; speed buttons latch within their group.
#include "controls_fixture.h"
#include "framework/controls/check_box.h"
#include "framework/controls/speed_button.h"
#include "framework/description/description_loader.h"

namespace somnara::fw {
namespace {

using CheckBoxTest = somnara::testing::ControlsTest;
using SpeedButtonTest = somnara::testing::ControlsTest;

TEST_F(CheckBoxTest, OnClickFollowsEveryChangeByMouseKeysAndCode) {
  Form* form = MakeForm();
  auto* box = new CheckBox(form);
  box->SetParent(form);
  box->SetBounds(10, 10, 113, 17);
  std::vector<bool> seen;
  box->OnClick = [&](Component*) { seen.push_back(box->Checked()); };
  ClickOn(*box, 6, 8);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(form->ActiveControl(), box);
  Key(VK_SPACE, ' ');
  EXPECT_FALSE(box->Checked());
  box->SetChecked(true);  // by code, as the wizard does from the settings
  box->SetChecked(true);  // no change, no click
  EXPECT_EQ(seen, (std::vector<bool>{true, false, true}));

  box->SetAllowGrayed(true);
  box->Toggle();
  EXPECT_EQ(box->State(), CheckBoxState::kGrayed);
  box->Toggle();
  EXPECT_EQ(box->State(), CheckBoxState::kUnchecked);
  // A press that leaves the box before coming up changes nothing.
  windows.PressMouse(ScreenOf(*box, 6, 8));
  windows.ReleaseMouse(ScreenOf(*box, 300, 8));
  Pump();
  EXPECT_EQ(box->State(), CheckBoxState::kUnchecked);
}

TEST_F(CheckBoxTest, ADescriptionSetsTheStateWithoutClicks) {
  Form form(nullptr);
  int clicks = 0;
  form.SetName("");
  LoadDescriptionText(form, R"(TForm Form3 {
    TCheckBox CheckBox1 { Left = 288  Top = 80  Caption = "Fading out effect "  Checked = True }
  })");
  auto* box = form.Find<CheckBox>("CheckBox1");
  ASSERT_NE(box, nullptr);
  box->OnClick = [&](Component*) { ++clicks; };
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(GetProperty(*box, "State").text, "cbChecked");
}

TEST_F(SpeedButtonTest, ALatchWithAllowAllUpGoesDownAndComesUpAgain) {
  Form* form = MakeForm(491, 282);
  auto* test = new SpeedButton(form);
  test->SetParent(form);
  test->SetBounds(366, 144, 89, 22);
  test->SetCaption("Test Sound");
  test->SetFlat(true);
  test->SetGroupIndex(1);
  test->SetAllowAllUp(true);
  std::vector<bool> at_click;
  test->OnClick = [&](Component*) { at_click.push_back(test->Down()); };
  ClickCentre(*test);
  EXPECT_TRUE(test->Down());
  ClickCentre(*test);
  EXPECT_FALSE(test->Down());
  ClickCentre(*test);
  EXPECT_EQ(at_click, (std::vector<bool>{true, false, true}));
  // Released by code, as Next on the sound page does.
  test->SetDown(false);
  EXPECT_FALSE(test->Down());
  EXPECT_EQ(test->ButtonState(), SpeedButton::State::kUp);
}

TEST_F(SpeedButtonTest, GroupsKeepOneButtonDownAndPlainButtonsNeverStayDown) {
  Form* form = MakeForm();
  auto make = [&](int left, int group) {
    auto* b = new SpeedButton(form);
    b->SetParent(form);
    b->SetBounds(left, 10, 30, 22);
    b->SetGroupIndex(group);
    return b;
  };
  SpeedButton* a = make(10, 2);
  SpeedButton* b = make(50, 2);
  SpeedButton* plain = make(90, 0);
  ClickCentre(*a);
  EXPECT_TRUE(a->Down());
  ClickCentre(*a);  // without AllowAllUp the last one down stays down
  EXPECT_TRUE(a->Down());
  ClickCentre(*b);
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());
  int clicks = 0;
  plain->OnClick = [&](Component*) { ++clicks; };
  ClickCentre(*plain);
  plain->SetDown(true);
  EXPECT_FALSE(plain->Down());
  EXPECT_EQ(clicks, 1);
  // A press shows the button down until it comes up.
  windows.PressMouse(ScreenOf(*plain, 5, 5));
  Pump();
  EXPECT_EQ(plain->ButtonState(), SpeedButton::State::kDown);
  windows.ReleaseMouse(ScreenOf(*plain, 5, 5));
  Pump();
  EXPECT_EQ(plain->ButtonState(), SpeedButton::State::kUp);
}

TEST_F(SpeedButtonTest, APressDraggedOutsideAndReleasedThereClicksNothing) {
  Form* form = MakeForm();
  auto* button = new SpeedButton(form);
  button->SetParent(form);
  button->SetBounds(10, 10, 30, 22);
  int clicks = 0;
  button->OnClick = [&](Component*) { ++clicks; };
  windows.PressMouse(ScreenOf(*button, 5, 5));
  windows.MoveMouse(ScreenOf(*button, 100, 100));
  Pump();
  EXPECT_EQ(button->ButtonState(), SpeedButton::State::kUp);  // shown up while outside
  windows.ReleaseMouse(ScreenOf(*button, 100, 100));
  Pump();
  EXPECT_EQ(clicks, 0);
  EXPECT_FALSE(button->MouseCaptured());
  // The next click works as usual.
  ClickCentre(*button);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(button->ButtonState(), SpeedButton::State::kUp);
}

TEST_F(SpeedButtonTest, TheGlyphsBottomLeftColourIsTransparent) {
  Form* form = MakeForm();
  form->SetColor(clYellow);
  Bitmap glyph(16, 16);
  glyph.Fill(clFuchsia);
  for (int y = 4; y < 12; ++y)
    for (int x = 4; x < 12; ++x) glyph.SetPixel(x, y, clBlue);
  auto* button = new SpeedButton(form);
  button->SetParent(form);
  button->SetFlat(true);
  button->SetBounds(10, 10, 16, 16);
  button->SetGlyph(glyph);
  button->SetMargin(0);
  Pump();
  EXPECT_EQ(PixelOf(*button, 8, 8), 0x0000FFu);
  EXPECT_EQ(PixelOf(*button, 1, 1), 0xFFFF00u);  // the form shows through
  EXPECT_EQ(button->NumGlyphs(), 1);
}

}  // namespace
}  // namespace somnara::fw
