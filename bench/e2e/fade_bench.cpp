#include <cstdio>
#include <memory>

#include "e2e_bench.h"
#include "framework/application.h"
#include "framework/form.h"
#include "framework/timer.h"
#include "platform/linux/x11/x11_window_system.h"
#include "platform/platform.h"
#include "routine/window_fade.h"

namespace somnara::bench {
namespace {

constexpr double kSeconds = 5;

void RunLoopFor(double ms) {
  const double end = NowMs() + ms;
  while (NowMs() < end && !fw::App().Terminated()) fw::App().HandleMessage();
}

}  // namespace

// The wizard's fades, over and over: in to 210 and out to 0 with 1 ms timers, driven by
// the program's own fade ticks on the framework and the real backend.
void BenchFade(const std::string& display, int server) {
  auto system = OpenFrameworkDesktop(display);
  if (!system) return;
  {
    auto* form = new fw::Form(&fw::App());
    form->AfterConstruction();
    form->SetBorderStyle(fw::BorderStyle::kNone);
    form->SetBounds(260, 240, 491, 282);
    form->SetColor(fw::clBtnFace);
    form->SetAlphaBlend(true);
    form->SetAlphaBlendValue(0);
    form->Show();
    // A timer that keeps the loop turning while the window settles.
    auto* idle = new fw::Timer(form);
    idle->SetInterval(50);
    idle->OnTimer = [](fw::Component*) {};
    RunLoopFor(300);

    auto* fade_in = new fw::Timer(form);
    auto* fade_out = new fw::Timer(form);
    fade_in->SetEnabled(false);
    fade_out->SetEnabled(false);
    fade_in->SetInterval(1);
    fade_out->SetInterval(1);
    long ticks = 0, fades = 0;
    double fade_started = 0, fade_in_ms = 0;
    fade_in->OnTimer = [&](fw::Component*) {
      ++ticks;
      routine::FadeInTick(*form, *fade_in, 210, [&] {
        fade_in_ms += NowMs() - fade_started;
        fade_out->SetEnabled(true);
      });
    };
    fade_out->OnTimer = [&](fw::Component*) {
      ++ticks;
      routine::FadeOutTick(*form, *fade_out, [&] {
        ++fades;
        fade_started = NowMs();
        fade_in->SetEnabled(true);
      });
    };

    // The same span with the window standing still, for comparison.
    const double idle_server = ProcessCpuMs(server), idle_self = ProcessCpuMs(getpid());
    RunLoopFor(kSeconds * 1000);
    const double idle_server_ms = ProcessCpuMs(server) - idle_server;
    const double idle_self_ms = ProcessCpuMs(getpid()) - idle_self;

    const uint64_t pushes = system->OpacityPushCount();
    const double server_before = ProcessCpuMs(server), self_before = ProcessCpuMs(getpid());
    const double start = NowMs();
    fade_started = start;
    fade_in->SetEnabled(true);
    RunLoopFor(kSeconds * 1000);
    const double elapsed = NowMs() - start;
    const double server_ms = ProcessCpuMs(server) - server_before;
    const double self_ms = ProcessCpuMs(getpid()) - self_before;
    const uint64_t pushed = system->OpacityPushCount() - pushes;

    std::printf(
        "1 ms fade of a 491x282 window for %.0f ms: %ld ticks (%.0f per second), "
        "%ld fades in and out, a fade-in to 210 takes %.1f ms (42 ticks), "
        "%llu opacity pushes to the server\n",
        elapsed, ticks, ticks * 1000.0 / elapsed, fades,
        fades > 0 ? fade_in_ms / double(fades) : -1.0, (unsigned long long)pushed);
    std::printf("  X server CPU %.0f ms (%.1f%% of a core), program CPU %.0f ms (%.1f%%)\n",
                server_ms, 100.0 * server_ms / elapsed, self_ms, 100.0 * self_ms / elapsed);
    std::printf("  the window standing still as long: X server %.0f ms, program %.0f ms\n",
                idle_server_ms, idle_self_ms);
  }
  CloseFrameworkDesktop();
}

}  // namespace somnara::bench
