// The scroll bar of the memo and the combo box list: the track pages toward the press
// wherever the thumb is, and a dragged thumb stops at both ends.
#include "framework/controls/scroll_bar.h"

#include <gtest/gtest.h>

namespace somnara::fw {
namespace {

// 40 rows, 10 fit: positions 0 to 30. Arrow boxes of 16 leave a track from 16 to 100 with
// a thumb 21 tall that travels 63 pixels.
ScrollBar MakeBar(int position) {
  ScrollBar bar(16, 8);
  bar.Update({0, 0, 16, 116}, 40, 10, position);
  return bar;
}

TEST(ScrollBarTest, TheTrackPagesTowardThePressSeenFromTheThumb) {
  ScrollBar bar = MakeBar(0);       // thumb at 16..37
  EXPECT_TRUE(bar.Press({8, 45}));  // below the thumb, though above the middle
  EXPECT_EQ(bar.Position(), 10);    // thumb now at 37..58
  EXPECT_TRUE(bar.Press({8, 70}));
  EXPECT_EQ(bar.Position(), 20);    // thumb now at 58..79
  EXPECT_TRUE(bar.Press({8, 50}));  // above the thumb, though below the middle
  EXPECT_EQ(bar.Position(), 10);
  EXPECT_FALSE(bar.Press({20, 50}));  // beside the bar
  EXPECT_FALSE(bar.Held());
  bar = MakeBar(25);
  EXPECT_TRUE(bar.Press({8, 30}));
  EXPECT_EQ(bar.Position(), 15);
  bar = MakeBar(25);
  EXPECT_TRUE(bar.Press({8, 99}));
  EXPECT_EQ(bar.Position(), 30);  // the last page, not past it
}

TEST(ScrollBarTest, TheDraggedThumbFollowsThePointerAndStopsAtTheEnds) {
  ScrollBar bar = MakeBar(10);       // thumb at 37..58
  EXPECT_FALSE(bar.Press({8, 40}));  // taking the thumb scrolls nothing
  EXPECT_TRUE(bar.Held());
  EXPECT_TRUE(bar.Drag({30, 40 + 21}));  // a third of the travel, beside the bar
  EXPECT_EQ(bar.Position(), 20);
  EXPECT_TRUE(bar.Drag({8, 1000}));
  EXPECT_EQ(bar.Position(), 30);
  EXPECT_TRUE(bar.Drag({8, -500}));
  EXPECT_EQ(bar.Position(), 0);
  bar.Release();
  EXPECT_FALSE(bar.Drag({8, 80}));
  EXPECT_EQ(bar.Position(), 0);
}

}  // namespace
}  // namespace somnara::fw
