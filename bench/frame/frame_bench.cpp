// Prints how long a 438 x 260 window with a skinned frame takes to repaint whole (border,
// title bar and client composed and presented) and to take a new size (with its outline
// rebuilt), beside the same window without the frame, once in DeepBlue and once with the
// skin stored in the program. Times are processor time of the bench's thread.
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

#include "framework/application.h"
#include "framework/form.h"
#include "framework/resources.h"
#include "platform/headless/headless_window_system.h"
#include "platform/platform.h"
#include "skin/frame/tsui_form.h"
#include "skin/theme/tsui_built_in_file_theme.h"
#include "skinwriter/stored_skin.h"

using namespace somnara;

namespace {

constexpr int kWidth = 438;
constexpr int kHeight = 260;

// The processor time of this thread, in microseconds: a busy machine that gives the bench
// only part of a core does not count against it.
double ThreadMicros() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return double(ts.tv_sec) * 1e6 + double(ts.tv_nsec) / 1e3;
}

// Median of several timed runs, in microseconds of processor time per call.
double Measure(int rounds, int calls, const std::function<void()>& work) {
  std::vector<double> times;
  work();
  for (int r = 0; r < rounds; ++r) {
    const double start = ThreadMicros();
    for (int i = 0; i < calls; ++i) work();
    times.push_back((ThreadMicros() - start) / calls);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

fw::Form* NewWindow(int top) {
  auto* form = new fw::Form(&fw::App());
  form->SetBorderStyle(fw::BorderStyle::kDialog);
  form->SetCaption("Somnara - Sleep Assistant");
  form->SetBounds(100, top, kWidth, kHeight);
  return form;
}

struct Timing {
  double repaint = 0;
  double resize = 0;
};

Timing Time(fw::Form& form) {
  form.Show();
  form.PaintNow();
  Timing t;
  t.repaint = Measure(9, 200, [&] {
    form.Invalidate();
    form.PaintNow();
  });
  // Two pixels wider and back: every step is a new size, with its outline and a repaint.
  int step = 0;
  t.resize = Measure(9, 100, [&] {
    form.SetBounds(form.Left(), form.Top(), kWidth + (++step % 2) * 2, kHeight);
    form.PaintNow();
  });
  return t;
}

void Print(const char* what, const Timing& framed, const Timing& plain) {
  std::printf("%s, %dx%d\n", what, kWidth, kHeight);
  std::printf(
      "  whole repaint: framed %.1f us, without frame %.1f us, ratio %.2f "
      "(target: framed under 1000 us)\n",
      framed.repaint, plain.repaint, framed.repaint / plain.repaint);
  std::printf(
      "  resize with outline and repaint: framed %.1f us, without frame %.1f us, "
      "ratio %.2f\n",
      framed.resize, plain.resize, framed.resize / plain.resize);
}

}  // namespace

int main() {
  resources::RegisterProgramResources();
  platform::HeadlessWindowSystem windows;
  platform::Services services;
  services.windows = &windows;
  platform::Install(services);
  fw::App().Initialize(&windows);

  const Timing plain = Time(*NewWindow(0));

  fw::Form* deep_blue = NewWindow(300);
  auto* frame = new skin::TsuiForm(deep_blue);
  frame->SetUIStyle(skin::TsuiUIStyle::DeepBlue);
  Print("DeepBlue frame", Time(*deep_blue), plain);

  fw::Form* skinned = NewWindow(600);
  auto* theme = new skin::TsuiBuiltInFileTheme(skinned);
  const std::vector<uint8_t> skin_file = skinwriter::BuildStoredSkin();
  theme->SetSkinData(skin_file);
  auto* themed = new skin::TsuiForm(skinned);
  themed->SetFileTheme(theme);
  themed->SetUIStyle(skin::TsuiUIStyle::FromThemeFile);
  Print("Stored skin frame", Time(*skinned), plain);

  fw::ResetApplication();
  platform::Install({});
  return 0;
}
