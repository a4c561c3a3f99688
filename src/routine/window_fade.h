#pragma once

#include <functional>

namespace somnara::fw {
class Form;
class Timer;
}  // namespace somnara::fw

namespace somnara::routine {

// One tick of a window's fade-in, run by the window's own fade-in timer: the opacity rises
// by 5 per tick until it reaches `stop`; the tick that finds it there switches the timer off
// and runs `completed` (if any). The opacity is read from the window each tick, so whatever
// else set it is where the fade goes on from.
void FadeInTick(fw::Form& window, fw::Timer& timer, int stop,
                const std::function<void()>& completed = nullptr);

// One tick of a window's fade-out: the opacity falls by 5 while it is at least 5; the tick
// that finds it below 5 switches the timer off and runs `completed`.
void FadeOutTick(fw::Form& window, fw::Timer& timer, const std::function<void()>& completed);

}  // namespace somnara::routine
