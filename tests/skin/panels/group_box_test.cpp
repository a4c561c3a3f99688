#include <gtest/gtest.h>

#include <algorithm>

#include "framework/controls/draw_helpers.h"
#include "framework/controls/panel.h"
#include "panels_fixture.h"
#include "skin/controls/tsui_edit.h"
#include "skin/controls/tsui_group_box.h"

namespace somnara::skin {
namespace {

using testing::Rgb;

constexpr uint32_t kRedRgb = Rgb(255, 0, 0);

class GroupBoxTest : public testing::PanelsTest {
 protected:
  TsuiGroupBox* MakeBox(const std::string& caption) {
    auto* box = Place<TsuiGroupBox>(form, 20, 20, 120, 80);
    fw::Font font = box->GetFont();
    font.SetHeight(-11);
    box->SetFont(font);
    box->SetCaption(caption);
    box->SetBorderColor(fw::clRed);
    return box;
  }
  // The columns of row y that show the border colour.
  std::vector<int> RedColumns(const TsuiGroupBox& box, int y) {
    std::vector<int> xs;
    for (int x = 0; x < box.Width(); ++x)
      if (PixelOf(box, x, y) == kRedRgb) xs.push_back(x);
    return xs;
  }
  // The lowest green part of the grey pixels in an area.
  uint32_t Darkest(const fw::Control& c, const Rect& area) {
    uint32_t darkest = 0xFF;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        darkest = std::min(darkest, (PixelOf(c, x, y) >> 8) & 0xFF);
    return darkest;
  }
};

TEST_F(GroupBoxTest, WithoutCaptionTheFrameIsClosedWithItsTopLineHalfAFontDown) {
  TsuiGroupBox* box = MakeBox("");
  Pump();
  EXPECT_EQ(RedColumns(*box, 6).size(), 120u);  // |-11| / 2 + 1
  EXPECT_EQ(RedColumns(*box, 79).size(), 120u);
  EXPECT_TRUE(RedColumns(*box, 5).empty());
  for (int y : {7, 40, 78}) EXPECT_EQ(RedColumns(*box, y), (std::vector<int>{0, 119})) << y;
}

TEST_F(GroupBoxTest, TheCaptionIsWrittenIntoAGapOfTheTopLine) {
  TsuiGroupBox* box = MakeBox("Step 1");
  Pump();
  const int width = fw::MeasureText(box->GetFont(), "Step 1", fw::DT_SINGLELINE).width;
  std::vector<int> want = {0, 1, 2};
  for (int x = width + 7; x < 120; ++x) want.push_back(x);
  EXPECT_EQ(RedColumns(*box, 6), want);
  const Rect caption = Rect::FromSize(5, 0, width, 13);
  // Glyph edges are smoothed, so the darkest pixel tells the text colour.
  EXPECT_LT(Darkest(*box, caption), 0x40u);

  box->SetEnabled(false);
  Pump();
  const uint32_t grey = Darkest(*box, caption);
  EXPECT_GE(grey, 0x80u);
  EXPECT_LT(grey, 0xA0u);
}

TEST_F(GroupBoxTest, ChildrenSitInsideTheLinesAndBelowTheCaptionAsTheFontGrows) {
  TsuiGroupBox* box = MakeBox("Step 1");
  auto* child = Place<fw::Panel>(box, 0, 0, 10, 10);
  child->SetAlign(fw::Align::kClient);
  EXPECT_EQ(child->BoundsRect(), (Rect{3, 16, 117, 77}));  // 11 + 5 from the top

  fw::Font font = box->GetFont();
  font.SetHeight(-20);
  box->SetFont(font);
  EXPECT_EQ(child->Top(), 25);
}

TEST_F(GroupBoxTest, TakesStyleColoursHandsStyleAndThemeToSkinnedChildrenAndFallsBack) {
  TsuiGroupBox* box = MakeBox("Step 2");
  auto* edit = Place<TsuiEdit>(box, 10, 20, 80, 21);
  auto* plain = Place<fw::Panel>(box, 10, 50, 20, 20);
  plain->SetColor(fw::clSilver);
  // Without a skinned frame on the form the box starts in DeepBlue.
  EXPECT_EQ(box->GetFont().Color(), fw::clBlack);

  box->SetUIStyle(TsuiUIStyle::WinXP);
  EXPECT_EQ(box->BorderColor(), fw::MakeColor(104, 104, 104));
  EXPECT_EQ(box->GetFont().Color(), fw::MakeColor(2, 70, 207));
  box->SetUIStyle(TsuiUIStyle::MacOS);
  EXPECT_EQ(edit->UIStyle(), TsuiUIStyle::MacOS);
  EXPECT_EQ(edit->BorderColor(), fw::MakeColor(127, 127, 127));

  TsuiBuiltInFileTheme& skin = StoredTheme();
  box->SetFileTheme(&skin);
  box->SetUIStyle(TsuiUIStyle::FromThemeFile);
  EXPECT_EQ(edit->FileTheme(), &skin);
  EXPECT_EQ(edit->UIStyle(), TsuiUIStyle::FromThemeFile);
  EXPECT_EQ(box->BorderColor(), fw::MakeColor(209, 192, 160));
  EXPECT_EQ(edit->BorderColor(), fw::MakeColor(209, 192, 160));
  EXPECT_EQ(plain->GetColor(), fw::clSilver);

  theme.reset();
  EXPECT_EQ(box->FileTheme(), nullptr);
  EXPECT_EQ(box->UIStyle(), TsuiUIStyle::DeepBlue);
  EXPECT_EQ(edit->FileTheme(), nullptr);
  EXPECT_EQ(edit->UIStyle(), TsuiUIStyle::DeepBlue);
  EXPECT_EQ(edit->BorderColor(), fw::clBlack);
}

}  // namespace
}  // namespace somnara::skin
