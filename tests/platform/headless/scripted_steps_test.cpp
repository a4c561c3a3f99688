// The headless desktop's scripted steps: tests put a click and the check after it at the
// same moment, so steps due together must run in the order they were given.
#include <gtest/gtest.h>

#include <vector>

#include "platform/headless/headless_window_system.h"

namespace somnara::platform {
namespace {

TEST(ScriptedStepsTest, StepsDueTogetherRunInTheOrderGivenAndEarlierOnesFirst) {
  HeadlessWindowSystem windows;
  std::vector<int> ran;
  windows.At(10, [&] { ran.push_back(1); });
  windows.At(10, [&] {
    ran.push_back(2);
    windows.At(10, [&] { ran.push_back(3); });
  });
  windows.At(5, [&] { ran.push_back(0); });
  windows.WaitForEvents(-1, 0);
  EXPECT_EQ(windows.GetClock().NowMs(), 5);
  windows.WaitForEvents(-1, 0);
  EXPECT_EQ(ran, (std::vector<int>{0, 1, 2, 3}));
}

}  // namespace
}  // namespace somnara::platform
