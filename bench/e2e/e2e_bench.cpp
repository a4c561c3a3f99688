// Prints figures of the program on a private Xvfb. Nothing here passes or fails.
#include "e2e_bench.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>

#include "framework/application.h"
#include "platform/platform.h"
#include "support/process_stats.h"
#include "support/xvfb_server.h"

namespace somnara::bench {

double NowMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1e6;
}

std::unique_ptr<platform::X11WindowSystem> OpenFrameworkDesktop(const std::string& display) {
  std::string error;
  auto system = platform::X11WindowSystem::OpenDisplay(display, {}, &error);
  if (!system) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return nullptr;
  }
  platform::Services services;
  services.windows = system.get();
  platform::Install(services);
  fw::ResetApplication();
  fw::App().Initialize(system.get());
  return system;
}

void CloseFrameworkDesktop() {
  fw::ResetApplication();
  platform::Install({});
}

double ProcessCpuMs(int pid) {
  return testing::ProcessCpuSeconds(pid) * 1000.0;
}

double Median(std::vector<double> values) {
  if (values.empty()) return -1;
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace somnara::bench

// Start to the first frame on the screen, with the start-up tune.
constexpr double kFirstFrameGoalMs = 50;

int main(int argc, char** argv) {
  using namespace somnara;
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  testing::ScreenImage tile;
  std::string error;
  if (!testing::ReadBmp(SOMNARA_STAR_TILE, &tile, &error)) {
    std::fprintf(stderr, "bench_e2e: %s\n", error.c_str());
    return 1;
  }
  testing::XvfbServer server;
  if (!server.Start(&error)) {
    std::fprintf(stderr, "bench_e2e: %s\n", error.c_str());
    return 1;
  }
  std::printf("private Xvfb %s, %dx%dx24, no window manager\n", server.display().c_str(),
              testing::XvfbServer::kWidth, testing::XvfbServer::kHeight);
  const double ours = bench::BenchStartUp(server.display(), tile, runs);
  // The start-up tune is opened before the backdrop's first paint: its share of the wait.
  bench::BenchStartUp(server.display(), tile, runs, "sound/start.mid");
  // Another build of the program (say, of an earlier version) beside this one, same run.
  if (argc > 2) bench::BenchStartUp(server.display(), tile, runs, "", argv[2]);
  const double floor = bench::BenchBareClientStartUp(server.display(), tile, runs);
  std::printf(
      "start to first frame, ours / the bare client: %.1f / %.1f ms = %.2f x (goal: %.0f ms, "
      "%s)\n",
      ours, floor, floor > 0 ? ours / floor : 0.0, kFirstFrameGoalMs,
      ours <= kFirstFrameGoalMs ? "met" : "NOT met");
  bench::BenchPresent(server.display(), SOMNARA_STAR_TILE);
  bench::BenchWindowMemory(server.display(), SOMNARA_PROGRAM_DIR, SOMNARA_STAR_TILE);
  bench::BenchTicks(server.display(), SOMNARA_PROGRAM_DIR, SOMNARA_STAR_TILE);
  bench::BenchFade(server.display(), server.process().pid());
  server.Stop();
  return 0;
}
