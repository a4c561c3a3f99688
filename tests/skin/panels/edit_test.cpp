#include <gtest/gtest.h>

#include "panels_fixture.h"
#include "skin/controls/tsui_edit.h"

namespace somnara::skin {
namespace {

using testing::kSkinBorderRgb;
using testing::Rgb;

class EditTest : public testing::PanelsTest {};

TEST_F(EditTest, FramesTheFieldInTheBorderColourAndThenInItsOwnColour) {
  auto* edit = Place<TsuiEdit>(form, 10, 10, 80, 21);
  edit->SetColor(fw::clYellow);
  edit->SetText("60");
  Pump();
  const Rect inner = {1, 1, 79, 20};
  EXPECT_EQ(CountOtherThan(*edit, Rgb(0, 0, 0), {0, 0, 80, 1}), 0);
  EXPECT_EQ(CountOtherThan(*edit, Rgb(0, 0, 0), {0, 20, 80, 21}), 0);
  EXPECT_EQ(CountOtherThan(*edit, Rgb(0, 0, 0), {79, 0, 80, 21}), 0);
  EXPECT_EQ(CountOtherThan(*edit, Rgb(255, 255, 0), {inner.left, inner.top, inner.right, 2}), 0);
  EXPECT_EQ(CountOtherThan(*edit, Rgb(255, 255, 0), {1, 1, 2, 20}), 0);
  // The text is drawn inside the two lines.
  EXPECT_GT(CountOtherThan(*edit, Rgb(255, 255, 0), {3, 3, 77, 18}), 0);

  edit->SetBorderColor(fw::clRed);
  Pump();
  EXPECT_EQ(PixelOf(*edit, 0, 0), Rgb(255, 0, 0));
  EXPECT_EQ(PixelOf(*edit, 79, 20), Rgb(255, 0, 0));
}

TEST_F(EditTest, TakesTheBorderColourFromTheStyleOrTheTheme) {
  auto* edit = Place<TsuiEdit>(form, 10, 10, 80, 21);
  EXPECT_EQ(edit->BorderColor(), fw::clBlack);  // DeepBlue on a form without a frame
  edit->SetUIStyle(TsuiUIStyle::WinXP);
  EXPECT_EQ(edit->BorderColor(), fw::MakeColor(104, 104, 104));

  edit->SetFileTheme(&StoredTheme());
  edit->SetUIStyle(TsuiUIStyle::FromThemeFile);
  Pump();
  EXPECT_EQ(PixelOf(*edit, 0, 10), kSkinBorderRgb);
}

}  // namespace
}  // namespace somnara::skin
