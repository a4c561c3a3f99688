// The skinned frame's window outline: round corners of the built-in styles that clicks
// fall through, square ones where the size is 0, -1 or the title is hidden, and a skin's
// outline cut from its title and bottom pictures between their scanned rows.
#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "frame_fixture.h"

namespace somnara::skin::testing {
namespace {

constexpr int W = kHostWidth, H = kHostHeight;

// Columns a row of the outline leaves out at its left and at its right end.
std::pair<int, int> CutOff(const Region& region, int y) {
  int left = 0, right = 0;
  while (left < W && !region.Contains({left, y})) ++left;
  while (right < W && !region.Contains({W - 1 - right, y})) ++right;
  return {left, right};
}

TEST_F(FrameTest, RoundCornersCutTheWindowAndClicksThereFallThrough) {
  fw::Form* below = MakeForm(W, H, true, 100, 80);
  Make(TsuiUIStyle::WinXP);
  const int r = frame->RoundCorner();
  ASSERT_GE(r, 4);
  const Region& region = Window().WindowRegion();
  ASSERT_FALSE(region.IsEmpty());

  // The top corners are cut alike on both sides, and not from row r on.
  for (int y = 0; y <= r; ++y) EXPECT_EQ(CutOff(region, y).first, CutOff(region, y).second) << y;
  EXPECT_GT(CutOff(region, 0).first, 0);
  EXPECT_EQ(CutOff(region, r).first, 0);
  EXPECT_EQ(CutOff(region, H - 1), std::make_pair(0, 0)) << "RoundCornerBottom is 0";

  // A click in a cut corner reaches the window below; one inside does not. (A click
  // raises the window it reaches, so the frame's window is raised again first.)
  int below_clicks = 0;
  below->OnMouseDown = [&below_clicks](fw::Component*, fw::MouseButton, unsigned, int, int) {
    ++below_clicks;
  };
  auto reaches_below = [&](int x, int y) {
    host->Show();
    Pump();
    const int before = below_clicks;
    windows.Click({100 + x, 80 + y});
    Pump();
    return below_clicks > before;
  };
  EXPECT_FALSE(reaches_below(W / 2, H / 2));
  EXPECT_TRUE(reaches_below(0, 0));
  EXPECT_TRUE(reaches_below(W - 1, 0));
  EXPECT_FALSE(reaches_below(0, H - 1));

  frame->SetRoundCornerBottom(r);
  EXPECT_GT(CutOff(Window().WindowRegion(), H - 1).first, 0);
  EXPECT_TRUE(reaches_below(0, H - 1));
  below->OnMouseDown = nullptr;
  frame->SetRoundCornerBottom(-1);
  EXPECT_EQ(CutOff(Window().WindowRegion(), H - 1), std::make_pair(0, 0));

  // Without the title bar the corners read 0: square once the outline is made again.
  frame->SetTitleBarVisible(false);
  frame->UpdateRegion();
  EXPECT_TRUE(InOutline(0, 0));
  EXPECT_TRUE(InOutline(W - 1, 0));
}

TEST(RegionFromBitmapsTest, ScansOnlyTheRowsBetweenTheLimits) {
  constexpr fw::Color kKey = fw::MakeColor(255, 0, 255);
  constexpr int kW = 8, kH = 20;
  // Every row has one see-through pixel at its left end.
  auto picture = [&](int rows) {
    fw::Bitmap b(kW, rows);
    b.Fill(fw::clNavy);
    for (int y = 0; y < rows; ++y) b.SetPixel(0, y, kKey);
    return b;
  };
  const fw::Bitmap title = picture(4), bottom = picture(3);
  struct Case {
    std::array<int, 4> limits;
    bool title, bottom;
    std::vector<int> cut_rows;  // window rows whose first pixel is left out
  };
  const Case cases[] = {
      {{-1, 1, 0, 0}, true, false, {0, 1}},
      {{2, 2, 0, 0}, true, false, {2, 3}},
      {{1, 9, 0, 0}, true, false, {1, 2, 3}},
      {{0, 0, 1, 1}, false, true, {kH - 2, kH - 1}},
      {{3, 3, 0, 1}, true, true, {3, kH - 3, kH - 2}},
      {{0, 0, 0, 0}, false, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.limits));
    const Region r =
        TsuiForm::RegionFromBitmaps(title, bottom, kW, kH, kKey, c.limits, c.title, c.bottom);
    for (int y = 0; y < kH; ++y) {
      const bool cut = std::find(c.cut_rows.begin(), c.cut_rows.end(), y) != c.cut_rows.end();
      EXPECT_EQ(r.Contains({0, y}), !cut) << y;
      EXPECT_TRUE(r.Contains({kW - 1, y})) << y;
    }
    EXPECT_FALSE(r.Contains({kW, 0}));
  }
}

}  // namespace
}  // namespace somnara::skin::testing
