// What the program costs while the night's sound plays: the real binary driven through
// the wizard, focus and breathing steps into the sleep window (a 30-minute play time, so
// the end never comes during the measurement, and "DoNothing" at the end), measured for
// 60 s once the sound has started; then gst-play-1.0 playing the same file for 60 s on
// the same private sound server, for comparison.
#include <cstdio>
#include <string>
#include <vector>

#include "process_sampler.h"
#include "support/night_run.h"
#include "support/sound_recorder.h"

namespace {

using somnara::bench::ProcessFigures;
using somnara::bench::ProcessSampler;
using namespace somnara::testing;

constexpr int kMeasureMs = 60000;
constexpr int kSampleMs = 250;
// The sleep window starts the sound 30 s after it opens; a little more lets it settle.
constexpr int kMusicDelayMs = 30000;
constexpr int kSettleMs = 2000;
constexpr double kSoundThreshold = 0.002;
// "Natural sound", the first in the wizard's list, and its file in the program folder.
constexpr int kSound = 0;
const char kSoundFile[] = "SNatural.dll";

bool Measure(pid_t pid, ProcessFigures* out) {
  ProcessSampler sampler(pid);
  if (!sampler.Begin()) return false;
  const int64_t end = MonotonicMs() + kMeasureMs;
  while (MonotonicMs() < end) {
    SleepMs(kSampleMs);
    if (!sampler.Sample()) return false;
  }
  *out = sampler.End();
  return true;
}

void PrintRow(const char* name, const ProcessFigures& f) {
  std::printf("%-14s %8.2f %% %10.1f %10.1f %10.1f %8d\n", name, f.cpu_share * 100.0,
              f.wakeups_per_second, f.rss_mean_mib, f.rss_peak_mib, f.threads);
}

int Fail(const std::string& what) {
  std::fprintf(stderr, "bench_sleep_phase: %s\n", what.c_str());
  return 1;
}

}  // namespace

int main() {
  NightRun run;
  SoundRecorder recorder;
  std::string error;
  if (!run.Start(SOMNARA_PROGRAM_DIR, &error)) return Fail(error);
  if (!recorder.Start(run.pulse(), &error)) return Fail(error);
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
  const int64_t music = recorder.RecordedMs() + kMusicDelayMs;
  if (!recorder.WaitUntilRecorded(music + kSettleMs, kMusicDelayMs + 30000))
    return Fail("the recording stopped");
  if (recorder.LoudestBlock(music + 500, music + kSettleMs) < kSoundThreshold)
    return Fail("the sound did not start; " + run.Note());
  std::printf("In the sleep phase with the sound playing; measuring 60 s...\n");
  std::fflush(stdout);

  ProcessFigures ours;
  if (!Measure(run.program().pid(), &ours))
    return Fail("the program ended during the measurement; " + run.Note());
  const int64_t measured_to = recorder.RecordedMs();
  const double ours_level = recorder.Rms(measured_to - kMeasureMs, measured_to);
  run.program().Stop();

  // The same file on the same server, looped by listing it enough times to outlast the
  // measurement; audio only, with the player's own volume control as ours has.
  const std::string file = run.copy().dir() + "/" + kSoundFile;
  std::vector<std::string> argv = {"gst-play-1.0", "-q",         "--no-interactive",
                                   "--gapless",    "--flags=18", "--audiosink=pulsesink"};
  for (int i = 0; i < 8; ++i) argv.push_back(file);
  LaunchOptions options;
  options.display = run.xvfb().display();
  options.environment = {run.pulse().Environment()};
  ChildProcess player;
  if (!player.Start(argv, options)) return Fail("cannot start gst-play-1.0");
  const int64_t before = recorder.RecordedMs();
  const auto heard = recorder.WaitForSound(before, kSoundThreshold, 15000);
  if (!heard) return Fail("gst-play-1.0 played nothing");
  recorder.WaitUntilRecorded(*heard + kSettleMs, 15000);
  ProcessFigures theirs;
  if (!Measure(player.pid(), &theirs)) return Fail("gst-play-1.0 ended during the measurement");
  const int64_t theirs_to = recorder.RecordedMs();
  const double theirs_level = recorder.Rms(theirs_to - kMeasureMs, theirs_to);
  player.Stop();

  std::printf("\nSleep phase, %s on a private sound server, %.0f s each:\n", kSoundFile,
              ours.seconds);
  std::printf("%-14s %10s %10s %10s %10s %8s\n", "process", "CPU", "wake-ups/s", "RSS mean",
              "RSS peak", "threads");
  std::printf("%-14s %10s %10s %10s %10s %8s\n", "", "", "", "MiB", "MiB", "");
  PrintRow("somnara", ours);
  PrintRow("gst-play-1.0", theirs);
  std::printf("\nOutput level (RMS of full scale): somnara %.4f, gst-play-1.0 %.4f\n", ours_level,
              theirs_level);
  return 0;
}
