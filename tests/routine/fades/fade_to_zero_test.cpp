// A fade-out that starts on a multiple of 5 passes through 5 and reaches 0 exactly.
#include <gtest/gtest.h>

#include <vector>

#include "framework/form.h"
#include "framework/timer.h"
#include "headless_fixture.h"
#include "routine/window_fade.h"

namespace somnara::routine {
namespace {

using FadeToZeroTest = somnara::testing::HeadlessTest;

TEST_F(FadeToZeroTest, FadeOutFromAMultipleOfFiveEndsAtZero) {
  fw::Form* form = new fw::Form(&fw::App());
  form->AfterConstruction();
  form->SetAlphaBlend(true);
  form->SetAlphaBlendValue(20);
  fw::Timer timer(&fw::App());
  timer.SetInterval(10);
  std::vector<int> values;
  int completions = 0;
  timer.OnTimer = [&](fw::Component*) {
    FadeOutTick(*form, timer, [&] { ++completions; });
    values.push_back(form->AlphaBlendValue());
  };
  RunUntil(200);
  EXPECT_EQ(values, (std::vector<int>{15, 10, 5, 0, 0}));
  EXPECT_EQ(completions, 1);
}

}  // namespace
}  // namespace somnara::routine
