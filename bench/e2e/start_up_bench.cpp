#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "e2e_bench.h"
#include "support/child_process.h"
#include "support/process_stats.h"
#include "support/program_copy.h"
#include "support/screen_probe.h"
// Last: Xlib's macros (None, Bool) clash with the framework's names.
#include <X11/Xlib.h>

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

// With the server held still, so nothing is drawn between the two looks: whether a window of
// ours is mapped, and if so whether it already shows the stars. Empty while none is mapped.
std::optional<bool> MappedWithStars(testing::ScreenProbe& probe, const testing::ScreenImage& tile) {
  XGrabServer(probe.display());
  std::optional<bool> stars;
  if (AnyWindowOfOurs(probe)) stars = StarsShown(probe, tile);
  XUngrabServer(probe.display());
  XFlush(probe.display());
  return stars;
}

// One look: whether the stars are on the screen; the time since start when they are, else -1.
double LookForStars(testing::ScreenProbe& probe, const testing::ScreenImage& tile,
                    const testing::ChildProcess& program, double start,
                    std::optional<bool>* appeared, std::vector<double>* cpu_at_first_frame) {
  if (!*appeared) *appeared = MappedWithStars(probe, tile);
  if (!StarsShown(probe, tile)) return -1;
  const double at = NowMs() - start;
  cpu_at_first_frame->push_back(ProcessCpuMs(program.pid()));
  return at;
}

// A "Name:   N kB" line of /proc/<pid>/status in MiB; -1 when missing.
double StatusMiB(int pid, const std::string& field) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(in, line);)
    if (line.rfind(field + ":", 0) == 0) return std::atof(line.c_str() + field.size() + 1) / 1024.0;
  return -1;
}

}  // namespace

double BenchStartUp(const std::string& display, const testing::ScreenImage& tile, int runs,
                    const std::string& without, const std::string& program_dir) {
  testing::ScreenProbe probe;
  std::string error;
  if (!probe.Open(display, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return -1;
  }
  std::vector<double> first_frames, main_windows, cpu_at_first_frame, rss, rss_anon;
  int with_stars = 0, mapped = 0;
  for (int run = 0; run < runs; ++run) {
    testing::ProgramCopy copy;
    if (!copy.Make(program_dir, &error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return -1;
    }
    if (!without.empty()) copy.Remove(without);
    testing::ChildProcess program;
    testing::LaunchOptions options;
    options.display = display;
    const double start = NowMs();
    if (!program.Start({copy.executable()}, options)) return -1;
    double first_frame = -1, main_window = -1;
    std::optional<bool> appeared;
    while (NowMs() - start < kTimeoutMs && (first_frame < 0 || main_window < 0)) {
      if (program.Poll()) break;
      if (first_frame < 0) {
        first_frame = LookForStars(probe, tile, program, start, &appeared, &cpu_at_first_frame);
      } else if (probe.Find(kMainCaption, [](const testing::TopWindow&) { return true; })) {
        // Looked for only once the stars are up: every look costs the X server a round trip
        // or more, and a slower look would make the first frame seem later than it is.
        main_window = NowMs() - start;
      }
      testing::SleepMs(1);
    }
    if (appeared) {
      ++mapped;
      with_stars += *appeared;
    }
    // The main window has faded in: what the program holds while it waits for the user.
    testing::SleepMs(1500);
    rss.push_back(StatusMiB(program.pid(), "VmRSS"));
    rss_anon.push_back(StatusMiB(program.pid(), "RssAnon"));
    program.Stop();
    // The next start begins on an empty screen.
    for (double t = NowMs(); AnyWindowOfOurs(probe) && NowMs() - t < 5000;) testing::SleepMs(5);
    std::printf("start %d: first frame of stars on screen %.1f ms, main window mapped %.1f ms\n",
                run + 1, first_frame, main_window);
    if (first_frame >= 0) first_frames.push_back(first_frame);
    if (main_window >= 0) main_windows.push_back(main_window);
  }
  std::string folder = without.empty() ? "complete folder" : "without " + without;
  if (program_dir != SOMNARA_PROGRAM_DIR) folder += ", program of " + program_dir;
  std::printf("start to first frame on screen (%s): median %.1f ms of %zu starts\n", folder.c_str(),
              Median(first_frames), first_frames.size());
  std::printf("  program CPU (all threads) until then: median %.1f ms\n",
              Median(cpu_at_first_frame));
  std::printf(
      "  the backdrop showed its stars at the first look after mapping in %d of %d starts\n",
      with_stars, mapped);
  std::printf("start to main window mapped (its timer waits 1000 ms): median %.1f ms\n",
              Median(main_windows));
  std::printf("  resident 1.5 s later: median %.1f MiB (%.1f MiB private heap and stacks)\n",
              Median(rss), Median(rss_anon));
  return Median(first_frames);
}

double BenchBareClientStartUp(const std::string& display, const testing::ScreenImage& tile,
                              int runs) {
  testing::ScreenProbe probe;
  std::string error;
  if (!probe.Open(display, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return -1;
  }
  char folder[] = "/tmp/somnara-bare-XXXXXX";
  if (mkdtemp(folder) == nullptr) return -1;
  const std::string tile_path = std::string(folder) + "/tile.raw";
  {
    std::ofstream out(tile_path, std::ios::binary);
    const int32_t size[2] = {tile.width, tile.height};
    out.write(reinterpret_cast<const char*>(size), sizeof size);
    out.write(reinterpret_cast<const char*>(tile.pixels.data()),
              std::streamsize(tile.pixels.size() * sizeof(uint32_t)));
  }
  std::vector<double> first_frames, cpu_at_first_frame;
  for (int run = 0; run < runs; ++run) {
    testing::ChildProcess client;
    testing::LaunchOptions options;
    options.display = display;
    const double start = NowMs();
    if (!client.Start({SOMNARA_BARE_CLIENT, tile_path}, options)) break;
    double first_frame = -1;
    std::optional<bool> appeared;
    while (NowMs() - start < kTimeoutMs && first_frame < 0 && !client.Poll()) {
      first_frame = LookForStars(probe, tile, client, start, &appeared, &cpu_at_first_frame);
      testing::SleepMs(1);
    }
    client.Stop();
    for (double t = NowMs(); AnyWindowOfOurs(probe) && NowMs() - t < 5000;) testing::SleepMs(5);
    if (first_frame >= 0) first_frames.push_back(first_frame);
  }
  std::filesystem::remove_all(folder);
  std::printf(
      "start to first frame on screen (a bare Xlib client putting up the same picture, the "
      "floor): median %.1f ms of %zu starts, CPU until then %.1f ms\n",
      Median(first_frames), first_frames.size(), Median(cpu_at_first_frame));
  return Median(first_frames);
}

}  // namespace somnara::bench
