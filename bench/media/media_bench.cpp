// Costs of the sound channel on GStreamer, printed as figures:
//   - CPU per loop-timer tick (the three commands the backdrop sends every 100 ms),
//   - open latency per format,
//   - CPU share and memory while one track plays with the loop timer polling, beside
//     gst-play-1.0 playing the same file into the same kind of sink.
// Usage: media_bench [seconds of playback per file, default 10]
#include <signal.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/gstreamer/sound_files.h"
#include "platform/linux/media/gst_media_service.h"
#include "platform/linux/media/linux_short_path_service.h"
#include "platform/platform.h"
#include "sound/loop_timer.h"
#include "sound/media.h"
#include "support/child_process.h"
#include "support/process_stats.h"

namespace {

namespace fs = std::filesystem;
using namespace somnara;
using Steady = std::chrono::steady_clock;

double Seconds(Steady::duration d) {
  return std::chrono::duration<double>(d).count();
}

double ThreadCpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + ts.tv_nsec / 1e9;
}

double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Resident memory in MiB ("VmRSS" or "VmHWM") of a process.
double MemoryMiB(pid_t pid, const char* field) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind(field, 0) == 0) return std::atof(line.c_str() + std::strlen(field) + 1) / 1024.0;
  }
  return 0;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

struct Files {
  std::string dir;
  std::string wav, ogg, mp3, mid;
};

Files MakeFiles(int seconds) {
  Files f;
  char pattern[] = "/tmp/smbenchXXXXXX";
  f.dir = mkdtemp(pattern);
  f.wav = f.dir + "/tone.wav";
  f.ogg = f.dir + "/tone.ogg";
  f.mp3 = f.dir + "/tone.mp3";
  f.mid = f.dir + "/tune.mid";
  int ms = (seconds + 5) * 1000;
  testing::WriteWav(f.wav, ms);
  if (!testing::EncodeTone(f.ogg, ms, "vorbisenc ! oggmux", 2) ||
      !testing::EncodeTone(f.mp3, ms, "lamemp3enc", 2)) {
    std::fprintf(stderr, "gst-launch-1.0 could not encode the bench files\n");
    std::exit(1);
  }
  testing::WriteMidi(f.mid, ms / 250);
  return f;
}

void BenchOpen(platform::GstMediaService& media, const Files& files) {
  std::printf("\nOpen latency (open + close, ms; the first open of a format loads its plugins)\n");
  std::printf("  %-6s %8s %8s %8s\n", "format", "first", "median", "max");
  for (const auto& [name, file] : {std::pair{"wav", files.wav}, std::pair{"ogg", files.ogg},
                                   std::pair{"mp3", files.mp3}, std::pair{"midi", files.mid}}) {
    std::vector<double> times;
    for (int i = 0; i < 8; ++i) {
      auto start = Steady::now();
      int code = media.SendCommand("open " + std::string(file) + " alias b").code;
      times.push_back(Seconds(Steady::now() - start) * 1000);
      if (code != 0) std::printf("  %s: open failed: %s\n", name, media.ErrorText(code).c_str());
      media.SendCommand("close b");
    }
    double first = times.front();
    times.erase(times.begin());
    std::printf("  %-6s %8.1f %8.1f %8.1f\n", name, first, Median(times),
                *std::max_element(times.begin(), times.end()));
  }
}

void BenchTick(const Files& files) {
  sound::MediaCloseAll();
  sound::MediaOpen("dd", files.ogg, "MPEGVideo");
  sound::MediaPlay("dd");
  constexpr int kTicks = 3000;
  double cpu_start = ThreadCpuSeconds();
  auto wall_start = Steady::now();
  for (int i = 0; i < kTicks; ++i) sound::LoopTimerTick(files.ogg);
  double cpu = ThreadCpuSeconds() - cpu_start;
  double wall = Seconds(Steady::now() - wall_start);
  std::printf("\nLoop-timer tick (position, time format, length) on a playing OGG, %d ticks\n",
              kTicks);
  std::printf("  UI-thread CPU per tick: %.1f us   wall per tick: %.1f us\n", cpu / kTicks * 1e6,
              wall / kTicks * 1e6);
  std::printf("  at one tick per 100 ms: %.4f %% of one core\n", cpu / kTicks * 10 * 100);
  sound::MediaCloseAll();
}

void BenchPlaying(const std::string& name, const std::string& file, int seconds,
                  const std::string& sink) {
  // Ours: the track plays with the loop timer polling every 100 ms, as in the sleep phase.
  sound::MediaCloseAll();
  sound::MediaOpen("dd", file, "MPEGVideo");
  sound::MediaPlay("dd");
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  double cpu_start = ProcessCpuSeconds();
  auto wall_start = Steady::now();
  while (Steady::now() - wall_start < std::chrono::seconds(seconds)) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    sound::LoopTimerTick(file);
  }
  double ours_cpu = (ProcessCpuSeconds() - cpu_start) / Seconds(Steady::now() - wall_start);
  double ours_rss = MemoryMiB(getpid(), "VmRSS:");
  sound::MediaCloseAll();

  // gst-play-1.0 on the same file, into the same kind of sink, audio only like ours.
  std::string audiosink =
      sink == "fakesink" ? "--audiosink=fakesink sync=true" : "--audiosink=" + sink;
  testing::ChildProcess player;
  double theirs_cpu = -1;
  double theirs_rss = -1;
  if (player.Start({"gst-play-1.0", "-q", "--no-interactive", "--flags=18", audiosink, file},
                   testing::LaunchOptions{})) {
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    pid_t pid = player.pid();
    double start = testing::ProcessCpuSeconds(pid);
    auto wall = Steady::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    theirs_cpu = (testing::ProcessCpuSeconds(pid) - start) / Seconds(Steady::now() - wall);
    theirs_rss = MemoryMiB(pid, "VmRSS:");
    player.Stop();
  }
  std::printf(
      "  %-6s ours: %6.2f %% CPU, %7.1f MiB RSS   gst-play-1.0: %6.2f %% CPU, %7.1f MiB RSS\n",
      name.c_str(), ours_cpu * 100, ours_rss, theirs_cpu * 100, theirs_rss);
}

}  // namespace

int main(int argc, char** argv) {
  int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  Files files = MakeFiles(seconds);
  double rss_before = MemoryMiB(getpid(), "VmRSS:");

  auto start = Steady::now();
  platform::GstMediaService media;
  double init_ms = Seconds(Steady::now() - start) * 1000;
  platform::Services services;
  services.media = &media;
  platform::LinuxShortPathService short_paths;
  services.short_paths = &short_paths;
  platform::Install(services);

  std::printf("Sound channel on GStreamer: sink %s (start-up with probe %.1f ms)\n",
              media.AudioSink().c_str(), init_ms);
  std::printf("Memory before GStreamer: %.1f MiB RSS\n", rss_before);

  std::printf("\nWhile one track plays (%d s each, loop timer polling every 100 ms)\n", seconds);
  BenchPlaying("wav", files.wav, seconds, media.AudioSink());
  BenchPlaying("ogg", files.ogg, seconds, media.AudioSink());
  BenchPlaying("mp3", files.mp3, seconds, media.AudioSink());
  BenchPlaying("midi", files.mid, seconds, media.AudioSink());

  BenchTick(files);
  BenchOpen(media, files);
  std::printf("\nPeak memory of this run: %.1f MiB\n", MemoryMiB(getpid(), "VmHWM:"));

  platform::Install(platform::Services{});
  fs::remove_all(files.dir);
  return 0;
}
