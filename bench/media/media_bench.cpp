// Costs of the sound channel on GStreamer, printed as figures:
//   - CPU per loop-timer tick (the three commands the backdrop sends every 100 ms),
//   - open latency per format: until the open answers, and until the length is known,
//   - the first open on a fresh service, as the start-up tune's (open, volume, play),
//   - the wizard's Test Sound on a private sound server: from play to sound, and from stop
//     to silence, as the server's monitor records them,
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
#include "support/pulse_server.h"
#include "support/sound_recorder.h"

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
  std::printf(
      "\nOpen latency, ms (the open answers; then status length, which waits until the file is\n"
      "ready; the first open of a format loads its plugins)\n");
  std::printf("  %-6s %8s %8s %8s %10s %10s\n", "format", "first", "median", "max", "ready 1st",
              "ready med");
  for (const auto& [name, file] : {std::pair{"wav", files.wav}, std::pair{"ogg", files.ogg},
                                   std::pair{"mp3", files.mp3}, std::pair{"midi", files.mid}}) {
    std::vector<double> times;
    std::vector<double> ready;
    for (int i = 0; i < 8; ++i) {
      auto start = Steady::now();
      int code = media.SendCommand("open " + std::string(file) + " alias b").code;
      times.push_back(Seconds(Steady::now() - start) * 1000);
      media.SendCommand("status b length");
      ready.push_back(Seconds(Steady::now() - start) * 1000);
      if (code != 0) std::printf("  %s: open failed: %s\n", name, media.ErrorText(code).c_str());
      media.SendCommand("close b");
    }
    double first = times.front();
    double first_ready = ready.front();
    times.erase(times.begin());
    ready.erase(ready.begin());
    std::printf("  %-6s %8.1f %8.1f %8.1f %10.1f %10.1f\n", name, first, Median(times),
                *std::max_element(times.begin(), times.end()), first_ready, Median(ready));
  }
}

// The start-up tune's commands on a fresh service, as the program sends them while it
// builds its first window: how long each holds the caller.
void BenchStartUpTune(const Files& files) {
  auto start = Steady::now();
  platform::GstMediaService media;
  double construct = Seconds(Steady::now() - start) * 1000;
  start = Steady::now();
  media.SendCommand("open " + files.mid + " type MPEGVideo Alias dd");
  double open = Seconds(Steady::now() - start) * 1000;
  start = Steady::now();
  media.SendCommand("setaudio dd Volume to 1000");
  double volume = Seconds(Steady::now() - start) * 1000;
  start = Steady::now();
  media.SendCommand("play dd");
  double play = Seconds(Steady::now() - start) * 1000;
  std::printf(
      "\nStart-up tune on a fresh service, ms: construct %.1f, open %.1f, volume %.1f, play %.1f\n",
      construct, open, volume, play);
  media.SendCommand("close all");
}

// The wizard's Test Sound on a private sound server: play, then stop 1.5 s later, five
// times. Times are read off the server's monitor, recorded at 20 ms latency, which adds
// its own few tens of milliseconds to each figure.
void BenchTestSound(const Files& files) {
  testing::PulseServer server;
  testing::SoundRecorder recorder;
  std::string error;
  if (!server.Start(&error) || !recorder.Start(server, &error)) {
    std::printf("\nTest Sound: no private sound server (%s)\n", error.c_str());
    return;
  }
  setenv("PULSE_SERVER", server.address().c_str(), 1);
  platform::GstMediaService media;
  constexpr double kThreshold = 0.01;
  std::vector<double> starts;
  std::vector<double> stops;
  for (int i = 0; i < 5; ++i) {
    media.SendCommand("close all");
    const int64_t asked = recorder.RecordedMs();
    media.SendCommand("open " + files.wav + " type MPEGVideo Alias dd");
    media.SendCommand("play dd");
    auto heard = recorder.WaitForSound(asked, kThreshold, 5000);
    if (!heard) break;
    starts.push_back(double(*heard - asked));
    recorder.WaitUntilRecorded(*heard + 1500, 5000);
    const int64_t stopped = recorder.RecordedMs();
    media.SendCommand("Stop dd");
    constexpr int kQuietMs = 200;
    auto quiet = recorder.WaitForQuiet(stopped, kQuietMs, kThreshold, 5000);
    if (!quiet) break;
    stops.push_back(double(*quiet - kQuietMs - stopped));
  }
  media.SendCommand("close all");
  unsetenv("PULSE_SERVER");
  if (starts.empty() || stops.empty()) {
    std::printf("\nTest Sound: nothing was heard on the private sound server\n");
    return;
  }
  std::printf("\nTest Sound on a private sound server (%s), ms, %zu presses:\n",
              media.AudioSink().c_str(), stops.size());
  std::printf("  play to sound: median %.0f, max %.0f; stop to silence: median %.0f, max %.0f\n",
              Median(starts), *std::max_element(starts.begin(), starts.end()), Median(stops),
              *std::max_element(stops.begin(), stops.end()));
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
  BenchStartUpTune(files);
  BenchTestSound(files);
  std::printf("\nPeak memory of this run: %.1f MiB\n", MemoryMiB(getpid(), "VmHWM:"));

  platform::Install(platform::Services{});
  fs::remove_all(files.dir);
  return 0;
}
