// The track bar: keys by line and page, the mouse on the thumb and the channel, and
// OnChange only for real changes.
#include "framework/controls/track_bar.h"

#include "controls_fixture.h"

namespace somnara::fw {
namespace {

class TrackBarTest : public somnara::testing::ControlsTest {
 protected:
  TrackBar* MakeVolume(Form* form) {
    auto* bar = new TrackBar(form);
    bar->SetParent(form);
    bar->SetBounds(12, 112, 145, 21);
    bar->SetMax(255);
    bar->SetPosition(100);
    bar->SetPageSize(2);
    bar->SetLineSize(1);
    bar->SetTickStyle(TickStyle::kNone);
    bar->OnChange = [this, bar](Component*) { positions.push_back(bar->Position()); };
    return bar;
  }
  std::vector<int> positions;
};

TEST_F(TrackBarTest, KeysMoveByLineAndPageAndStopAtTheEnds) {
  Form* form = MakeForm();
  TrackBar* bar = MakeVolume(form);
  bar->SetFocus();
  Key(VK_RIGHT);
  Key(VK_UP);
  Key(VK_NEXT);
  Key(VK_PRIOR);
  Key(VK_DOWN);
  EXPECT_EQ(positions, (std::vector<int>{101, 100, 102, 100, 101}));
  Key(VK_END);
  Key(VK_END);  // no change, no event
  Key(VK_RIGHT);
  Key(VK_HOME);
  Key(VK_LEFT);
  EXPECT_EQ(positions, (std::vector<int>{101, 100, 102, 100, 101, 255, 0}));
  bar->SetPosition(300);
  EXPECT_EQ(bar->Position(), 255);
  bar->SetMax(50);
  EXPECT_EQ(bar->Position(), 50);
  EXPECT_EQ(positions.back(), 50);
}

TEST_F(TrackBarTest, TheMouseDragsTheThumbAndPagesOnTheChannel) {
  Form* form = MakeForm();
  TrackBar* bar = MakeVolume(form);
  int ups = 0;
  bar->OnMouseUp = [&](Component*, MouseButton, unsigned, int, int) { ++ups; };
  Rect thumb = bar->ThumbRect();
  int cy = (thumb.top + thumb.bottom) / 2;
  // A press beside the thumb moves one page towards it.
  ClickOn(*bar, bar->ChannelRect().right - 2, cy);
  EXPECT_EQ(bar->Position(), 102);
  ClickOn(*bar, bar->ChannelRect().left + 1, cy);
  EXPECT_EQ(bar->Position(), 100);
  // Dragging the thumb to the channel's ends reaches Min and Max.
  thumb = bar->ThumbRect();
  int cx = (thumb.left + thumb.right) / 2;
  windows.PressMouse(ScreenOf(*bar, cx, cy));
  windows.MoveMouse(ScreenOf(*bar, cx + 400, cy));
  Pump();
  EXPECT_EQ(bar->Position(), 255);
  windows.MoveMouse(ScreenOf(*bar, cx - 400, cy));
  windows.ReleaseMouse(ScreenOf(*bar, cx - 400, cy));
  Pump();
  EXPECT_EQ(bar->Position(), 0);
  EXPECT_EQ(ups, 3);
  EXPECT_EQ(bar->PixelToValue(bar->ValueToPixel(128)), 128);
  EXPECT_EQ(positions, (std::vector<int>{102, 100, 255, 0}));
}

TEST_F(TrackBarTest, AVerticalBarRunsFromTopToBottom) {
  Form* form = MakeForm();
  auto* bar = new TrackBar(form);
  bar->SetParent(form);
  bar->SetOrientation(TrackBarOrientation::kVertical);
  bar->SetBounds(10, 10, 45, 150);
  bar->SetPosition(0);
  Rect top = bar->ThumbRect();
  bar->SetPosition(10);
  Rect bottom = bar->ThumbRect();
  EXPECT_EQ(top.left, bottom.left);
  EXPECT_GT(bottom.top, top.top + 100);
  ClickOn(*bar, (top.left + top.right) / 2, (top.top + top.bottom) / 2);  // above the thumb
  EXPECT_EQ(bar->Position(), 8);
  Key(VK_UP);
  EXPECT_EQ(bar->Position(), 7);
}

}  // namespace
}  // namespace somnara::fw
