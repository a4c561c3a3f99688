// What the program costs while the night's sound plays: the real binary driven through
// the wizard, focus and breathing steps into the sleep window (a 30-minute play time, so
// the end never comes during the measurement, and "DoNothing" at the end), measured once
// the sound has started; then gst-play-1.0 playing the same file on the same private
// sound server, for comparison.
//
// The output level is recorded from the server's monitor only a few seconds before and
// after each measurement: a recorder reading the monitor at low latency drives the whole
// server at that latency and adds wake-ups to every client. A second, shorter sample with
// the recorder on gives the figures earlier runs were measured with.
//
// Usage: bench_sleep_phase [seconds measured, default 60] [seconds with the recorder on,
// default 20, 0 skips]. With SOMNARA_BENCH_HOLD=<seconds> in the environment the program
// is kept playing that long after its measurement, its pid printed, to be looked at.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "process_sampler.h"
#include "support/night_run.h"
#include "support/sound_recorder.h"

namespace {

using somnara::bench::MemoryBreakdown;
using somnara::bench::ProcessFigures;
using somnara::bench::ProcessSampler;
using namespace somnara::testing;

constexpr int kSampleMs = 250;
// The sleep window starts the sound 30 s after it opens; a little more lets it settle.
constexpr int kMusicDelayMs = 30000;
constexpr int kSettleMs = 2000;
// The stretch of recording whose RMS gives the level, before and after a measurement.
constexpr int kLevelMs = 3000;
constexpr double kSoundThreshold = 0.002;
// "Natural sound", the first in the wizard's list, and its file in the program folder.
constexpr int kSound = 0;
const char kSoundFile[] = "SNatural.dll";

// The goals of the night, against gst-play-1.0 in the same run.
constexpr double kCpuGoal = 0.6;
constexpr double kWakeupGoal = 0.25;
constexpr double kRssGoalMib = 40;

struct Run {
  ProcessFigures quiet;     // nothing recording
  ProcessFigures recorded;  // the recorder on, as earlier runs measured
  double level_before = 0;
  double level_after = 0;
};

bool Measure(pid_t pid, int ms, ProcessFigures* out) {
  ProcessSampler sampler(pid);
  if (!sampler.Begin()) return false;
  const int64_t end = MonotonicMs() + ms;
  while (MonotonicMs() < end) {
    SleepMs(kSampleMs);
    if (!sampler.Sample()) return false;
  }
  *out = sampler.End();
  return true;
}

// RMS of the next kLevelMs of the recording; -1 when the recording stops.
double RecordLevel(SoundRecorder& recorder) {
  const int64_t from = recorder.RecordedMs();
  if (!recorder.WaitUntilRecorded(from + kLevelMs, kLevelMs + 10000)) return -1;
  return recorder.Rms(from, from + kLevelMs);
}

// With `recorder` running and the sound playing: the level, a sample with the recorder
// on, then the recorder off and the real measurement, then a new recorder for the level
// after. `recorder` is running again on return.
bool MeasurePlaying(pid_t pid, const PulseServer& pulse, int measure_ms, int recorded_ms,
                    std::unique_ptr<SoundRecorder>* recorder, Run* out, std::string* error) {
  out->level_before = RecordLevel(**recorder);
  if (recorded_ms > 0 && !Measure(pid, recorded_ms, &out->recorded)) {
    *error = "ended while measured with the recorder on";
    return false;
  }
  recorder->reset();
  // The server goes back to the latency its own clients ask for.
  SleepMs(1000);
  if (!Measure(pid, measure_ms, &out->quiet)) {
    *error = "ended during the measurement";
    return false;
  }
  *recorder = std::make_unique<SoundRecorder>();
  if (!(*recorder)->Start(pulse, error)) return false;
  out->level_after = RecordLevel(**recorder);
  return true;
}

void PrintRow(const char* name, const ProcessFigures& f) {
  std::printf("%-20s %7.2f %% %10.1f %10.1f %10.1f %8d\n", name, f.cpu_share * 100.0,
              f.wakeups_per_second, f.rss_mean_mib, f.rss_peak_mib, f.threads);
}

void PrintThreads(const char* name, const ProcessFigures& f) {
  std::printf("\nWake-ups per thread of %s (context switches per second, by thread name):\n", name);
  for (const auto& t : f.per_thread)
    std::printf("  %-18s x%-3d %8.1f\n", t.name.c_str(), t.threads, t.per_second);
}

void PrintMemory(const char* name, const MemoryBreakdown& m) {
  std::printf("%-14s %6.1f %6.1f %6.1f %6.1f %6.1f %6.1f %6.1f %6.1f\n", name, m.total, m.anonymous,
              m.gst_plugins, m.gst_libraries, m.sound_libraries, m.other_libraries, m.shared_memory,
              m.other_files);
}

void PrintGoal(const char* what, double ours, double theirs, double goal) {
  const double ratio = theirs > 0 ? ours / theirs : 0;
  std::printf("  %-10s %8.3f / %8.3f = %5.2f x  (goal <= %.2f x: %s)\n", what, ours, theirs, ratio,
              goal, ratio <= goal ? "met" : "NOT met");
}

std::string FirstLine(const char* path, const char* prefix) {
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line))
    if (line.rfind(prefix, 0) == 0) return line.substr(line.find(':') + 2);
  return "?";
}

std::string LoadAverage() {
  std::ifstream in("/proc/loadavg");
  double one = 0, five = 0, fifteen = 0;
  in >> one >> five >> fifteen;
  char text[64];
  std::snprintf(text, sizeof text, "%.2f %.2f %.2f", one, five, fifteen);
  return text;
}

int Fail(const std::string& what) {
  std::fprintf(stderr, "bench_sleep_phase: %s\n", what.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const int measure_ms = (argc > 1 ? std::max(5, std::atoi(argv[1])) : 60) * 1000;
  const int recorded_ms = (argc > 2 ? std::max(0, std::atoi(argv[2])) : 20) * 1000;
  const std::string load_at_start = LoadAverage();
  NightRun run;
  auto recorder = std::make_unique<SoundRecorder>();
  std::string error;
  if (!run.Start(SOMNARA_PROGRAM_DIR, &error)) return Fail(error);
  if (!recorder->Start(run.pulse(), &error)) return Fail(error);
  if (!run.Launch(&error)) return Fail(error);

  std::printf("Driving the program to the sleep window (about 3 minutes of real time)...\n");
  std::fflush(stdout);
  somnara::testing::NightChoices choices;
  choices.minutes = "30";
  choices.sound = kSound;
  choices.fading = true;
  choices.command = 0;  // "DoNothing"
  if (!run.DriveToSleepWindow(choices, &error)) return Fail(error);
  // The guidance of the focus step loops until the sleep window's own timer starts the
  // chosen sound, 30 s after the window opened.
  const int64_t music = recorder->RecordedMs() + kMusicDelayMs;
  if (!recorder->WaitUntilRecorded(music + kSettleMs, kMusicDelayMs + 30000))
    return Fail("the recording stopped");
  if (recorder->LoudestBlock(music + 500, music + kSettleMs) < kSoundThreshold)
    return Fail("the sound did not start; " + run.Note());
  std::printf("In the sleep phase with the sound playing; measuring...\n");
  std::fflush(stdout);

  Run ours;
  if (!MeasurePlaying(run.program().pid(), run.pulse(), measure_ms, recorded_ms, &recorder, &ours,
                      &error))
    return Fail("the program " + error + "; " + run.Note());
  if (const char* hold = std::getenv("SOMNARA_BENCH_HOLD")) {
    // Time to look at the program from outside (strace, perf, gdb) while it still plays.
    std::printf("Holding %s s; the program is pid %d\n", hold, int(run.program().pid()));
    std::fflush(stdout);
    SleepMs(std::atoi(hold) * 1000);
  }
  run.program().Stop();

  // The same file on the same server, looped by listing it enough times to outlast the
  // measurement; audio only, with the player's own volume control as ours has.
  const std::string file = run.copy().dir() + "/" + kSoundFile;
  std::vector<std::string> argv_player = {"gst-play-1.0", "-q",         "--no-interactive",
                                          "--gapless",    "--flags=18", "--audiosink=pulsesink"};
  for (int i = 0; i < 16; ++i) argv_player.push_back(file);
  LaunchOptions options;
  options.display = run.xvfb().display();
  options.environment = {run.pulse().Environment()};
  ChildProcess player;
  if (!player.Start(argv_player, options)) return Fail("cannot start gst-play-1.0");
  const auto heard = recorder->WaitForSound(recorder->RecordedMs(), kSoundThreshold, 15000);
  if (!heard) return Fail("gst-play-1.0 played nothing");
  recorder->WaitUntilRecorded(*heard + kSettleMs, 15000);
  Run theirs;
  if (!MeasurePlaying(player.pid(), run.pulse(), measure_ms, recorded_ms, &recorder, &theirs,
                      &error))
    return Fail("gst-play-1.0 " + error);
  player.Stop();

  std::printf("\nMachine: %ld cores, %s; load average %s at the start, %s at the end\n",
              sysconf(_SC_NPROCESSORS_ONLN), FirstLine("/proc/cpuinfo", "model name").c_str(),
              load_at_start.c_str(), LoadAverage().c_str());
  std::printf("\nSleep phase, %s on a private sound server, %.0f s each, nothing recording:\n",
              kSoundFile, ours.quiet.seconds);
  std::printf("%-20s %9s %10s %10s %10s %8s\n", "process", "CPU", "wake-ups/s", "RSS mean",
              "RSS peak", "threads");
  std::printf("%-20s %9s %10s %10s %10s %8s\n", "", "", "", "MiB", "MiB", "");
  PrintRow("somnara", ours.quiet);
  PrintRow("gst-play-1.0", theirs.quiet);
  if (recorded_ms > 0) {
    std::printf("With the recorder reading the monitor at 20 ms latency (%.0f s each):\n",
                ours.recorded.seconds);
    PrintRow("somnara", ours.recorded);
    PrintRow("gst-play-1.0", theirs.recorded);
  }
  std::printf("\nOutput level (RMS of full scale, %d s before / after the measurement):\n",
              kLevelMs / 1000);
  std::printf("  somnara %.4f / %.4f, gst-play-1.0 %.4f / %.4f\n", ours.level_before,
              ours.level_after, theirs.level_before, theirs.level_after);

  std::printf("\nGoals (ours / gst-play-1.0, nothing recording):\n");
  PrintGoal("CPU", ours.quiet.cpu_share * 100, theirs.quiet.cpu_share * 100, kCpuGoal);
  PrintGoal("wake-ups", ours.quiet.wakeups_per_second, theirs.quiet.wakeups_per_second,
            kWakeupGoal);
  std::printf("  %-10s %8.1f MiB mean resident (goal <= %.0f MiB: %s)\n", "RSS",
              ours.quiet.rss_mean_mib, kRssGoalMib,
              ours.quiet.rss_mean_mib <= kRssGoalMib ? "met" : "NOT met");

  PrintThreads("somnara", ours.quiet);
  PrintThreads("gst-play-1.0", theirs.quiet);

  std::printf("\nResident memory at the end of the measurement, MiB, from smaps:\n");
  std::printf("%-14s %6s %6s %6s %6s %6s %6s %6s %6s\n", "process", "total", "anon", "gst-pl",
              "gst-lb", "sound", "libs", "shm", "files");
  PrintMemory("somnara", ours.quiet.memory);
  PrintMemory("gst-play-1.0", theirs.quiet.memory);
  std::printf(
      "  anon: heap, anonymous maps, stacks; gst-pl: GStreamer plugins; gst-lb: libgst*, GLib,\n"
      "  ORC; sound: pulse client, decoders, synthesiser; libs: other libraries; shm: the\n"
      "  sound server's shared pools; files: fonts, locale and other mapped files\n");
  std::printf("\nLargest mappings of somnara (MiB resident):\n");
  for (const auto& [path, mib] : ours.quiet.memory.largest)
    std::printf("  %6.2f  %s\n", mib, path.c_str());
  return 0;
}
