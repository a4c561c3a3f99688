// The one fade pattern every fading window shares.
#include "routine/window_fade.h"

#include <gtest/gtest.h>

#include "framework/form.h"
#include "framework/timer.h"
#include "headless_fixture.h"

namespace somnara::routine {
namespace {

using WindowFadeTest = somnara::testing::HeadlessTest;

struct Faded {
  fw::Form* form;
  fw::Timer* timer;
  std::vector<int> values;
  int completions = 0;
  int64_t completed_at = -1;
};

TEST_F(WindowFadeTest, FadeInReachesTheStopValueExactlyAndStopsOnTheNextTick) {
  Faded f{new fw::Form(&fw::App()), nullptr, {}, 0, -1};
  f.form->AfterConstruction();
  f.form->SetAlphaBlend(true);
  f.form->SetAlphaBlendValue(0);
  f.timer = new fw::Timer(f.form);
  f.timer->SetInterval(80);
  f.timer->OnTimer = [&](fw::Component*) {
    FadeInTick(*f.form, *f.timer, 255, [&] {
      ++f.completions;
      f.completed_at = Now();
    });
    f.values.push_back(f.form->AlphaBlendValue());
  };
  RunUntil(10000);
  ASSERT_EQ(f.values.size(), 52u);  // 51 steps, then the tick that finds 255
  EXPECT_EQ(f.values[0], 5);
  EXPECT_EQ(f.values[50], 255);
  EXPECT_EQ(f.values[51], 255);
  EXPECT_EQ(f.completions, 1);
  EXPECT_EQ(f.completed_at, 52 * 80);
  EXPECT_FALSE(f.timer->Enabled());
}

TEST_F(WindowFadeTest, FadeInFromAnOddValueNeverOvershoots) {
  fw::Form* form = new fw::Form(&fw::App());
  form->AfterConstruction();
  form->SetAlphaBlend(true);
  form->SetAlphaBlendValue(203);
  fw::Timer timer(&fw::App());
  timer.SetInterval(1);
  int highest = 0;
  timer.OnTimer = [&](fw::Component*) {
    FadeInTick(*form, timer, 210);
    highest = std::max(highest, form->AlphaBlendValue());
  };
  RunUntil(100);
  EXPECT_EQ(highest, 210);
  EXPECT_EQ(form->AlphaBlendValue(), 210);
}

TEST_F(WindowFadeTest, FadeOutFromAnOddValueEndsBelowFiveAndStillCompletes) {
  fw::Form* form = new fw::Form(&fw::App());
  form->AfterConstruction();
  form->SetAlphaBlend(true);
  form->SetAlphaBlendValue(203);
  fw::Timer timer(&fw::App());
  timer.SetInterval(1);
  int completions = 0;
  int value_at_completion = -1;
  timer.OnTimer = [&](fw::Component*) {
    FadeOutTick(*form, timer, [&] {
      ++completions;
      value_at_completion = form->AlphaBlendValue();
      EXPECT_FALSE(timer.Enabled());  // off before the completion runs
    });
  };
  RunUntil(200);
  EXPECT_EQ(completions, 1);
  EXPECT_EQ(value_at_completion, 3);
}

}  // namespace
}  // namespace somnara::routine
