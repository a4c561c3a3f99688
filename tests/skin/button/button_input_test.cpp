#include "button_fixture.h"
#include "framework/controls/edit.h"

namespace somnara::skin::testing {
namespace {

using Strings = std::vector<std::string>;

TEST_F(ButtonTest, AReleaseOutsideGivesNoClickAndTheButtonShowsNormalOnceOutside) {
  TsuiButton* b = AddButton(20, 20);
  Count(*b);
  const fw::Bitmap normal = Face(TsuiUIStyle::DeepBlue, 1);
  const fw::Bitmap pressed = Face(TsuiUIStyle::DeepBlue, 3);
  // A pixel of the unscaled top-left corner where the pressed face differs.
  Point spot{-1, -1};
  for (int y = 0; y < normal.Height() / 2 && spot.x < 0; ++y)
    for (int x = 0; x < normal.Width() / 2 && spot.x < 0; ++x)
      if (normal.GetPixel(x, y) != pressed.GetPixel(x, y)) spot = {x, y};
  ASSERT_GE(spot.x, 0);

  windows.PressMouse(ScreenOf(*b, 40, 13));
  Pump();
  EXPECT_TRUE(b->Down());
  EXPECT_TRUE(b->Focused());
  EXPECT_EQ(PixelOf(*b, spot.x, spot.y), Rgb(pressed.GetPixel(spot.x, spot.y)));

  windows.MoveMouse(ScreenOf(*b, 120, 13));
  Pump();
  EXPECT_FALSE(b->Down());
  EXPECT_FALSE(b->Hot());
  EXPECT_EQ(PixelOf(*b, spot.x, spot.y), Rgb(normal.GetPixel(spot.x, spot.y)));

  windows.ReleaseMouse(ScreenOf(*b, 120, 13));
  Pump();
  EXPECT_TRUE(clicked.empty());
  // Released, nothing repeats any more, even before the pointer is seen to leave.
  EXPECT_FALSE(b->Repeating());
}

TEST_F(ButtonTest, HoldingTheLeftButtonRepeatsEveryIntervalUntilTheRelease) {
  TsuiButton* b = AddButton(20, 20, "Hold");
  Count(*b);
  ASSERT_EQ(b->MouseContinuouslyDownInterval(), 100);
  const Point centre = ScreenOf(*b, 40, 13);
  const int64_t start = Now();
  windows.PressMouse(centre);
  int repeats_at_release = -1;
  windows.At(start + 350, [&] {
    repeats_at_release = repeats;
    windows.ReleaseMouse(centre);
  });
  RunUntil(start + 800);
  EXPECT_EQ(repeats_at_release, 3);
  EXPECT_EQ(repeats, 3);
  EXPECT_EQ(clicked, Strings{"Hold"});
  EXPECT_FALSE(b->Repeating());
}

TEST_F(ButtonTest, EnterClicksTheFocusedButtonElseTheDefaultOne) {
  auto* edit = new fw::Edit(form);
  edit->SetParent(panel);
  edit->SetBounds(20, 100, 100, 21);
  TsuiButton* apply = AddButton(20, 20, "&Apply");
  TsuiButton* back = AddButton(120, 20, "&Back");
  Count(*apply);
  Count(*back);
  apply->SetDefault(true);

  edit->SetFocus();
  Key(fw::VK_RETURN);
  EXPECT_EQ(clicked, Strings{"&Apply"});
  EXPECT_TRUE(apply->DefaultActive());

  // Once: the key's release does not click a second time.
  clicked.clear();
  back->SetFocus();
  Key(fw::VK_RETURN);
  EXPECT_EQ(clicked, Strings{"&Back"});
  EXPECT_FALSE(apply->DefaultActive());
  Key(fw::VK_SPACE, ' ');
  EXPECT_EQ(clicked, (Strings{"&Back", "&Back"}));

  // Escape goes to the cancel button, an access key to its button, wherever the focus is.
  clicked.clear();
  back->SetCancel(true);
  edit->SetFocus();
  Key(fw::VK_ESCAPE);
  Key('A', 'a', platform::kAlt);
  EXPECT_EQ(clicked, (Strings{"&Back", "&Apply"}));
  apply->SetEnabled(false);
  Key('A', 'a', platform::kAlt);
  EXPECT_EQ(clicked.size(), 2u);
}

TEST_F(ButtonTest, AClickSetsTheFormsModalResultAlsoWhenItIsNone) {
  TsuiButton* b = AddButton(20, 20);
  form->SetModalResult(fw::mrOk);
  ClickCentre(*b);
  EXPECT_EQ(form->ModalResult(), fw::mrNone);
  b->SetModalResult(fw::mrCancel);
  ClickCentre(*b);
  EXPECT_EQ(form->ModalResult(), fw::mrCancel);
}

TEST_F(ButtonTest, DescriptionsCreateItByNameWithItsConstructionValues) {
  TsuiButton::StaticClassInfo();
  const fw::ClassInfo* info = fw::ClassInfo::Find("TsuiButton");
  ASSERT_NE(info, nullptr);
  auto* b = dynamic_cast<TsuiButton*>(info->Create(form));
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->Width(), 80);
  EXPECT_EQ(b->Height(), 27);
  EXPECT_EQ(fw::GetProperty(*b, "UIStyle").text, "DeepBlue");
  EXPECT_EQ(fw::GetProperty(*b, "Layout").text, "blGlyphLeft");
  EXPECT_EQ(fw::GetProperty(*b, "FocusedRectMargin").integer, 2);
  EXPECT_EQ(fw::GetProperty(*b, "Spacing").integer, 4);
  EXPECT_FALSE(fw::ValueToBool(fw::GetProperty(*b, "Transparent")));
  EXPECT_TRUE(fw::ValueToBool(fw::GetProperty(*b, "TabStop")));
  fw::SetProperty(*b, "ResHandle", fw::Value::Integer(7));
  EXPECT_EQ(fw::GetProperty(*b, "ResHandle").integer, 0);
  // A style that draws see-through says so; one stored later wins.
  fw::SetProperty(*b, "UIStyle", fw::Value::Identifier("MacOS"));
  EXPECT_TRUE(b->Transparent());
  fw::SetProperty(*b, "Transparent", fw::Value::Bool(false));
  EXPECT_FALSE(b->Transparent());
  // AutoSize takes one frame of the style's face.
  fw::SetProperty(*b, "UIStyle", fw::Value::Identifier("DeepBlue"));
  fw::SetProperty(*b, "AutoSize", fw::Value::Bool(true));
  EXPECT_EQ(b->Width(), 74);
  EXPECT_EQ(b->Height(), 21);
}

}  // namespace
}  // namespace somnara::skin::testing
