#include <cstdio>

#include "e2e_bench.h"
#include "support/child_process.h"
#include "support/program_copy.h"
#include "support/screen_probe.h"

namespace somnara::bench {
namespace {

constexpr int kTimeoutMs = 20000;
const char kMainCaption[] = "Somnara - Help you easy to get a good night's sleep";

// One period of the tile just inside the backdrop's border and bevel: once it is on the
// screen, the first frame is.
bool StarsShown(testing::ScreenProbe& probe, const testing::ScreenImage& tile) {
  const Rect area = Rect::FromSize(2, 2, tile.width, tile.height);
  return testing::CompareWithTile(probe.Grab(area), area, tile, {1, 1}).Matches();
}

bool AnyWindowOfOurs(testing::ScreenProbe& probe) {
  for (const testing::TopWindow& w : probe.Windows())
    if (w.viewable && w.name.rfind("Somnara", 0) == 0) return true;
  return false;
}

}  // namespace

void BenchStartUp(const std::string& display, const testing::ScreenImage& tile, int runs,
                  const std::string& without) {
  testing::ScreenProbe probe;
  std::string error;
  if (!probe.Open(display, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return;
  }
  std::vector<double> first_frames, main_windows;
  for (int run = 0; run < runs; ++run) {
    testing::ProgramCopy copy;
    if (!copy.Make(SOMNARA_PROGRAM_DIR, &error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return;
    }
    if (!without.empty()) copy.Remove(without);
    testing::ChildProcess program;
    testing::LaunchOptions options;
    options.display = display;
    const double start = NowMs();
    if (!program.Start({copy.executable()}, options)) return;
    double first_frame = -1, main_window = -1;
    while (NowMs() - start < kTimeoutMs && (first_frame < 0 || main_window < 0)) {
      if (program.Poll()) break;
      if (first_frame < 0 && StarsShown(probe, tile)) first_frame = NowMs() - start;
      if (main_window < 0 &&
          probe.Find(kMainCaption, [](const testing::TopWindow&) { return true; }))
        main_window = NowMs() - start;
      testing::SleepMs(1);
    }
    program.Stop();
    // The next start begins on an empty screen.
    for (double t = NowMs(); AnyWindowOfOurs(probe) && NowMs() - t < 5000;) testing::SleepMs(5);
    std::printf("start %d: first frame of stars on screen %.1f ms, main window mapped %.1f ms\n",
                run + 1, first_frame, main_window);
    if (first_frame >= 0) first_frames.push_back(first_frame);
    if (main_window >= 0) main_windows.push_back(main_window);
  }
  const std::string folder = without.empty() ? "complete folder" : "without " + without;
  std::printf("start to first frame on screen (%s): median %.1f ms of %zu starts\n", folder.c_str(),
              Median(first_frames), first_frames.size());
  std::printf("start to main window mapped (its timer waits 1000 ms): median %.1f ms\n",
              Median(main_windows));
}

}  // namespace somnara::bench
