#include "routine/window_fade.h"

#include "framework/form.h"
#include "framework/timer.h"

namespace somnara::routine {

void FadeInTick(fw::Form& window, fw::Timer& timer, int stop,
                const std::function<void()>& completed) {
  int value = window.AlphaBlendValue();
  if (value >= stop) {
    timer.SetEnabled(false);
    if (completed) completed();
    return;
  }
  // Never past the stop value, even from a value that is not a multiple of 5.
  window.SetAlphaBlendValue(value + 5 > stop ? stop : value + 5);
}

void FadeOutTick(fw::Form& window, fw::Timer& timer, const std::function<void()>& completed) {
  int value = window.AlphaBlendValue();
  if (value >= 5) {
    window.SetAlphaBlendValue(value - 5);
    return;
  }
  // Off before the completion, which may show the next window modally from here.
  timer.SetEnabled(false);
  if (completed) completed();
}

}  // namespace somnara::routine
