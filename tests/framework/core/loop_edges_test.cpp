// Edges of the message loop that a one-off error would cross unseen: a loop late by exactly
// one period, and the windows a modal loop blocked once it has ended.
#include <gtest/gtest.h>

#include <vector>

#include "framework/form.h"
#include "framework/timer.h"
#include "headless_fixture.h"

namespace somnara::fw {
namespace {

using LoopEdgesTest = somnara::testing::HeadlessTest;

TEST_F(LoopEdgesTest, ALoopLateByExactlyOnePeriodTicksOnce) {
  Timer timer(&App());
  timer.SetInterval(100);
  std::vector<int64_t> ticks;
  timer.OnTimer = [&](Component*) { ticks.push_back(Now()); };
  Timer blocker(&App());
  blocker.SetInterval(50);
  blocker.OnTimer = [&](Component*) {
    blocker.SetEnabled(false);
    windows.Time().Advance(150);  // the tick due at 100 comes at 200, when the next is due
  };
  RunUntil(420);
  EXPECT_EQ(ticks, (std::vector<int64_t>{200, 300, 400}));
}

TEST_F(LoopEdgesTest, WindowsBlockedByAModalLoopTakeInputAgainWhenItEnds) {
  auto* main = new Form(&App());
  main->SetBounds(100, 100, 300, 200);
  main->AfterConstruction();
  main->Show();
  std::vector<int64_t> clicks, keys;
  main->OnMouseDown = [&](Component*, MouseButton, unsigned, int, int) { clicks.push_back(Now()); };
  main->OnKeyDown = [&](Component*, uint32_t&, unsigned) { keys.push_back(Now()); };
  auto* dialog = new Form(&App());
  dialog->SetBounds(600, 100, 200, 100);
  dialog->AfterConstruction();
  const Point inside_main{200, 200};

  windows.At(50, [&] { dialog->ShowModal(); });
  windows.At(100, [&] {
    windows.Click(inside_main);
    windows.PressKey('A', 'a');
  });
  windows.At(200, [&] { dialog->SetModalResult(mrOk); });
  windows.At(300, [&] {
    windows.Click(inside_main);
    windows.PressKey('A', 'a');
  });
  RunUntil(400);
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_GE(clicks[0], 300);
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_GE(keys[0], 300);
}

}  // namespace
}  // namespace somnara::fw
