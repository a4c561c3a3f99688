#include <gtest/gtest.h>

#include "panels_fixture.h"
#include "skin/controls/tsui_edit.h"

namespace somnara::skin {
namespace {

using testing::PanelsTest;
using testing::Rgb;

TEST_F(PanelsTest, EditFramesItsFieldInTheBorderColourAndThenInItsOwnColour) {
  auto* edit = Place<TsuiEdit>(form, 10, 10, 80, 21);
  edit->SetColor(fw::clYellow);
  edit->SetText("60");
  Pump();
  // DeepBlue on a form without a skinned frame: black outside, the field's yellow inside.
  EXPECT_EQ(CountOtherThan(*edit, Rgb(0, 0, 0), {0, 0, 80, 1}), 0);
  EXPECT_EQ(CountOtherThan(*edit, Rgb(0, 0, 0), {79, 0, 80, 21}), 0);
  EXPECT_EQ(CountOtherThan(*edit, Rgb(255, 255, 0), {1, 19, 79, 20}), 0);
  EXPECT_EQ(CountOtherThan(*edit, Rgb(255, 255, 0), {1, 1, 2, 20}), 0);
  EXPECT_GT(CountOtherThan(*edit, Rgb(255, 255, 0), {3, 3, 77, 18}), 0);  // the text

  edit->SetFileTheme(&StoredTheme());
  edit->SetUIStyle(TsuiUIStyle::FromThemeFile);
  Pump();
  EXPECT_EQ(PixelOf(*edit, 0, 10), Rgb(209, 192, 160));
  EXPECT_EQ(PixelOf(*edit, 1, 10), Rgb(255, 255, 0));
}

}  // namespace
}  // namespace somnara::skin
