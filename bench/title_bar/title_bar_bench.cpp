// Prints how long a title bar takes to repaint on a mouse move (compose off screen, copy to
// the window, present), for a 438-pixel bar, beside a plain panel of the same size
// repainting in the same window. Every mouse move over a title bar repaints all of it.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "framework/application.h"
#include "framework/controls/panel.h"
#include "framework/form.h"
#include "framework/messages.h"
#include "framework/resources.h"
#include "platform/headless/headless_window_system.h"
#include "platform/platform.h"
#include "skin/frame/tsui_title_bar.h"

using namespace somnara;

namespace {

// Median of several timed runs, in microseconds per call.
double Measure(int rounds, int calls, const std::function<void()>& work) {
  std::vector<double> times;
  work();
  for (int r = 0; r < rounds; ++r) {
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i) work();
    std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
    times.push_back(spent.count() / calls);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main() {
  resources::RegisterProgramResources();
  platform::HeadlessWindowSystem windows;
  platform::Services services;
  services.windows = &windows;
  platform::Install(services);
  fw::App().Initialize(&windows);

  auto* form = new fw::Form(&fw::App());
  form->SetBorderStyle(fw::BorderStyle::kNone);
  form->SetBounds(100, 80, 438, 200);
  auto* bar = new skin::TsuiTitleBar(form);
  bar->SetParent(form);
  bar->SetCaption("Somnara - Sleep Assistant");
  auto* panel = new fw::Panel(form);
  panel->SetParent(form);
  panel->SetBounds(0, 100, bar->Width(), bar->Height());
  panel->SetCaption("Somnara - Sleep Assistant");
  form->Show();
  form->PaintNow();

  // The pointer goes back and forth between the caption and the close button, so the
  // hover pictures change on every other move.
  int step = 0;
  auto move_over = [&](fw::Control& c) {
    const int x = (++step % 2) ? 200 : c.Width() - 10;
    c.Perform(fw::WM_MOUSEMOVE, 0, fw::MakeLParam(x, 8));
  };
  const double title = Measure(9, 500, [&] {
    move_over(*bar);
    form->PaintNow();
  });
  const double plain = Measure(9, 500, [&] {
    move_over(*panel);
    panel->Invalidate();
    form->PaintNow();
  });
  std::printf("Title bar repaint on a mouse move, %dx%d (DeepBlue): %.1f us\n", bar->Width(),
              bar->Height(), title);
  std::printf("Plain panel repaint of the same size: %.1f us\n", plain);
  std::printf("Ratio title bar / panel: %.2f (target: title bar under 300 us)\n", title / plain);
  fw::ResetApplication();
  platform::Install({});
  return 0;
}
