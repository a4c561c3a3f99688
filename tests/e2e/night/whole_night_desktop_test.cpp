// Nights of the real program on a private desktop, sound server and system bus. A whole one:
// Start, the wizard (an ocean sound, two minutes, fading, stand-by), the focus and breathing
// steps (whose guidance keeps playing), then the sleep window: the chosen sound after its
// first half minute, the display switched off, the fade-out over the last 100 s, the good-night
// line, exactly one stand-by request to the login manager with the idle inhibitor let go first, and
// the end of the run six seconds later. And one ended by the sleep window's Exit button.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <iomanip>
#include <iostream>
#include <set>
#include <sstream>

#include "support/night_run.h"
#include "support/sound_recorder.h"
// After the test framework: the X headers define None and Bool as macros.
#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>

namespace somnara::testing {
namespace {

// RMS of a 50 ms block above which something is heard (about -54 dB of full scale).
constexpr double kSoundThreshold = 0.002;
constexpr int kWaitMs = 30000;
// The sleep window starts the sound 30 s after it opens; the fade-out begins 100 s before
// the end of a two-minute play time, and the program ends six seconds after the command.
constexpr int64_t kMusicDelayMs = 30000;
constexpr int64_t kPlayMs = 120000;
constexpr int64_t kFadeStartMs = kPlayMs - 100000;
constexpr int64_t kEndDelayMs = 6000;

constexpr char kWhy[] = "Playing the sleep sound until the chosen end of the night";
// The sleep window's text: white on black, 20 pixels high, three lines at the top until
// the good-night line replaces them.
constexpr int kLabelHeight = 72;
constexpr int kFirstLineBottom = 26;

// Requests that would change the machine's power state, as the mock logs them.
bool IsPowerRequest(const std::string& call) {
  static const std::set<std::string> kRequests = {
      "PowerOff", "Reboot", "Halt", "Suspend", "Hibernate", "HybridSleep", "SuspendThenHibernate"};
  std::string method = call.substr(0, call.find(' '));
  const std::string suffix = "WithFlags";
  if (method.size() > suffix.size() && method.ends_with(suffix))
    method.resize(method.size() - suffix.size());
  return kRequests.count(method) > 0;
}

// What the label shows: where its lit (text) pixels are.
struct LabelText {
  bool below_first_line = false;  // any text lower than the first line
  int first_line_right = -1;      // the rightmost text column of the first line
  bool any = false;
};

class WholeNightOnTheDesktop : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(run_.Start(SOMNARA_PROGRAM_DIR, &error)) << error;
    ASSERT_TRUE(recorder_.Start(run_.pulse(), &error)) << error;
  }

  void TearDown() override {
    run_.program().Stop();
    // A sanitizer build of the program reports what it found on its standard error.
    const std::string said = run_.copy().ReadStderr();
    for (const char* report : {"Sanitizer", "runtime error:"})
      EXPECT_EQ(said.find(report), std::string::npos) << "the program reported:\n" << said;
    recorder_.Stop();
    run_.Stop();
  }

  // The X server's display power level, when it has the extension at all.
  std::optional<CARD16> DisplayPowerLevel() {
    Display* d = run_.probe().display();
    int event_base = 0, error_base = 0;
    if (!DPMSQueryExtension(d, &event_base, &error_base) || !DPMSCapable(d)) return std::nullopt;
    CARD16 level = 0;
    BOOL enabled = False;
    DPMSInfo(d, &level, &enabled);
    return level;
  }

  LabelText ReadLabel(const TopWindow& sleep) {
    const Rect area =
        Rect::FromSize(sleep.bounds.left, sleep.bounds.top, sleep.bounds.Width(), kLabelHeight);
    const ScreenImage image = run_.probe().Grab(area);
    LabelText text;
    for (int y = image.top; y < image.top + image.height; ++y) {
      for (int x = image.left; x < image.left + image.width; ++x) {
        const uint32_t p = image.At(x, y);
        // Text is white on black; its smoothed edges are grey.
        if (((p >> 16) & 0xFF) < 0x80 || ((p >> 8) & 0xFF) < 0x80 || (p & 0xFF) < 0x80) continue;
        text.any = true;
        if (y - image.top >= kFirstLineBottom)
          text.below_first_line = true;
        else
          text.first_line_right = std::max(text.first_line_right, x - image.left);
      }
    }
    return text;
  }

  // RMS of every 5 s of the recording between the two times, for the log and for failures.
  std::string Profile(int64_t from_ms, int64_t to_ms) {
    std::ostringstream out;
    out << std::fixed << std::setprecision(4);
    for (int64_t t = from_ms; t + 5000 <= to_ms; t += 5000)
      out << " " << recorder_.Rms(t, t + 5000);
    return out.str();
  }

  std::vector<std::string> PowerRequests() {
    std::vector<std::string> out;
    for (const std::string& call : run_.logind().Calls())
      if (IsPowerRequest(call)) out.push_back(call);
    return out;
  }

  NightRun run_;
  SoundRecorder recorder_;
};

TEST_F(WholeNightOnTheDesktop, TwoMinuteNightFromStartToStandBy) {
  // Whatever the program asks the login manager goes to the mock on the private bus.
  ASSERT_TRUE(run_.bus().IsTheSystemBus()) << "DBUS_SYSTEM_BUS_ADDRESS is not the private bus";
  const std::optional<CARD16> level_before = DisplayPowerLevel();
  if (level_before) {
    EXPECT_EQ(*level_before, DPMSModeOn);
  }

  std::string error;
  ASSERT_TRUE(run_.Launch(&error)) << error;
  NightChoices choices;
  choices.minutes = "2";
  choices.sound = 2;  // "Ocean wave"
  choices.fading = true;
  choices.command = 1;  // "StandBy"
  const std::optional<int64_t> sleep_seen = run_.DriveToSleepWindow(choices, &error);
  ASSERT_TRUE(sleep_seen) << error;
  const int64_t sleep_recorded = recorder_.RecordedMs();
  const std::optional<TopWindow> sleep = run_.Find(NightWindow::kSleep);
  ASSERT_TRUE(sleep) << run_.Note();

  // The idle inhibitor is held from the sleep window's start, and is the only one.
  std::vector<LogindMock::Inhibitor> held;
  EXPECT_TRUE(run_.WaitFor(
      [&] {
        return run_.logind().Inhibitors(&held) &&
               held == std::vector<LogindMock::Inhibitor>{{"idle", "Somnara", kWhy, "block"}};
      },
      kWaitMs))
      << held.size() << " inhibitors; " << run_.Note();

  // The guidance of the focus step goes on looping until the sleep window's own timer
  // starts the chosen sound, 30 s after the window opened: the recording is read from then.
  const int64_t music = sleep_recorded + kMusicDelayMs;
  ASSERT_TRUE(recorder_.WaitUntilRecorded(music + kFadeStartMs, kMusicDelayMs + kWaitMs))
      << run_.Note();
  EXPECT_GT(recorder_.LoudestBlock(music + 1000, music + kFadeStartMs - 2000), kSoundThreshold)
      << "no sound once the sleep window started it; " << run_.Note();
  const LabelText night_text = ReadLabel(*sleep);
  EXPECT_TRUE(night_text.below_first_line) << "the sleep window's three lines are not shown";

  // The display-off requests (every 30 s from the window's opening) reach the X server.
  // Debian's Xvfb has no display power (DPMS) extension, so there this check is skipped, and
  // says so; a server that has it must show the display switched off.
  if (level_before) {
    const std::optional<CARD16> level = DisplayPowerLevel();
    ASSERT_TRUE(level);
    EXPECT_EQ(*level, DPMSModeOff) << "the display was not switched off";
  } else {
    std::cout << "The X server has no display power extension: the display-off check is "
                 "skipped\n";
  }

  // The fade-out over the last 100 s: the volume steps down from full scale one hundredth
  // a second (on the player's cubic scale), so what is heard falls by orders of magnitude.
  // Compared over long stretches, since the sound swells and ebbs.
  ASSERT_TRUE(recorder_.WaitUntilRecorded(music + kPlayMs - 5000, kPlayMs + kWaitMs))
      << run_.Note();
  // A few seconds before the end the idle inhibitor is still held.
  EXPECT_TRUE(run_.logind().Inhibitors(&held));
  EXPECT_EQ(held.size(), 1u) << "the idle inhibitor was let go before the end";
  const double full = recorder_.Rms(music + 2000, music + kFadeStartMs - 2000);
  const double early = recorder_.Rms(music + kFadeStartMs + 2000, music + kFadeStartMs + 22000);
  const double late = recorder_.Rms(music + kPlayMs - 25000, music + kPlayMs - 5000);
  const std::string profile = Profile(music, music + kPlayMs);
  std::cout << "Output level every 5 s from the start of the sound:" << profile << "\n";
  EXPECT_GT(full, 0.01) << "the sound is too quiet; every 5 s:" << profile;
  EXPECT_GT(early, 0.01) << "the fade-out started from silence; every 5 s:" << profile;
  EXPECT_LT(late, early * 0.25) << "the level did not fall: early " << early << ", late " << late
                                << "; every 5 s:" << profile;

  // The end: one stand-by request to the login manager, and nothing else of its kind.
  ASSERT_TRUE(run_.WaitFor([&] { return !PowerRequests().empty(); }, kWaitMs))
      << "no end command reached the login manager; calls:"
      << ::testing::PrintToString(run_.logind().Calls()) << "; " << run_.Note();
  const int64_t command_seen = MonotonicMs();
  // The idle inhibitor was let go just before the command.
  EXPECT_TRUE(run_.logind().Inhibitors(&held));
  EXPECT_TRUE(held.empty()) << "the idle inhibitor is still held after the command";

  // The good-night line in place of the three lines.
  LabelText good_night;
  EXPECT_TRUE(run_.WaitFor(
      [&] {
        good_night = ReadLabel(*sleep);
        return good_night.any && !good_night.below_first_line;
      },
      5000))
      << "no single good-night line; " << run_.Note();
  EXPECT_LT(good_night.first_line_right, night_text.first_line_right)
      << "the good-night line is not the shorter one";
  // The sound stopped with the command.
  const int64_t quiet_from = recorder_.RecordedMs();
  EXPECT_TRUE(recorder_.WaitForQuiet(quiet_from, 1000, kSoundThreshold / 4, 5000))
      << "the sound went on after the end";

  int status = 0;
  const int64_t exit_deadline = command_seen + kEndDelayMs + kWaitMs;
  while (!run_.Ended(&status) && MonotonicMs() < exit_deadline) SleepMs(20);
  ASSERT_TRUE(run_.Ended(&status)) << "the program did not end after the command; " << run_.Note();
  const int64_t exited = MonotonicMs();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << run_.Note();
  EXPECT_GE(exited - command_seen, kEndDelayMs - 1500);
  EXPECT_LE(exited - command_seen, kEndDelayMs + 4000);

  EXPECT_EQ(PowerRequests(), std::vector<std::string>{"SuspendWithFlags 1"})
      << ::testing::PrintToString(run_.logind().Calls());
  const std::vector<std::string> calls = run_.logind().Calls();
  EXPECT_EQ(std::count_if(calls.begin(), calls.end(),
                          [](const std::string& c) { return c.rfind("Inhibit ", 0) == 0; }),
            1)
      << ::testing::PrintToString(calls);
}

TEST_F(WholeNightOnTheDesktop, ExitOnTheSleepWindowEndsTheNightAtOnce) {
  ASSERT_TRUE(run_.bus().IsTheSystemBus()) << "DBUS_SYSTEM_BUS_ADDRESS is not the private bus";
  std::string error;
  ASSERT_TRUE(run_.Launch(&error)) << error;
  NightChoices choices;
  choices.command = 1;  // "StandBy", which Exit must not carry out
  ASSERT_TRUE(run_.DriveToSleepWindow(choices, &error)) << error;
  const std::optional<TopWindow> sleep = run_.Find(NightWindow::kSleep);
  ASSERT_TRUE(sleep) << run_.Note();

  // The skinned Exit button (73 x 27 at 376, 128 of the bare window), clicked on its face
  // before the night's sound would start.
  const Point exit{sleep->bounds.left + 376 + 73 / 2, sleep->bounds.top + 128 + 27 / 2};
  ChildProcess xdotool;
  ASSERT_TRUE(xdotool.Start({"xdotool", "mousemove", "--sync", std::to_string(exit.x),
                             std::to_string(exit.y), "click", "1"},
                            run_.xvfb().display()));
  ASSERT_TRUE(xdotool.WaitExit(kWaitMs));
  int status = 0;
  ASSERT_TRUE(run_.WaitFor([&] { return run_.Ended(&status); }, kWaitMs))
      << "Exit did not end the program; " << run_.Note();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << run_.Note();
  for (const std::string& call : run_.logind().Calls())
    EXPECT_FALSE(IsPowerRequest(call)) << "Exit asked the login manager: " << call;
}

}  // namespace
}  // namespace somnara::testing
