// One whole night, from the program's start to its end, through the main window, the
// wizard, the focus and breathing steps and the sleep window, on the virtual clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>

#include "app/backdrop_window.h"
#include "app/main_window.h"
#include "app/program_entry.h"
#include "framework/controls/check_box.h"
#include "framework/controls/combo_box.h"
#include "framework/controls/edit.h"
#include "framework/controls/label.h"
#include "platform/headless/headless_system_volume.h"
#include "program_fixture.h"
#include "routine/breathing_window.h"
#include "routine/focus_window.h"
#include "routine/sleep_window.h"
#include "routine/wizard_window.h"
#include "skin/controls/tsui_button.h"

namespace somnara::routine {
namespace {

// The user's steps; each runs before the timers due at the same moment.
constexpr int64_t kStart = 2000;
constexpr int64_t kOk = 3000;
constexpr int64_t kNext1 = 3100;
constexpr int64_t kNext2 = 3200;
constexpr int64_t kNext3 = 3300;
// The wizard fades out from 210 in 42 ticks of 1 ms; the 43rd opens the focus window.
constexpr int64_t kFocus = kNext3 + 43;
// Twelve ten-second ticks, 51 fade-out ticks from 255 and the one that ends it.
constexpr int64_t kFocusClosed = kFocus + 120000 + 52;
constexpr int64_t kBreathing = kFocusClosed + 1000;
// Thirty seconds, 40 fade-out ticks from 200 and the one that opens the sleep window.
constexpr int64_t kSleep = kBreathing + 30000 + 41;
constexpr int64_t kMusic = kSleep + 30000;

constexpr char kGoodNight[] = "Somnara has been finished. Good night...";

// What the user chooses in the wizard; empty or -2 leaves the wizard's own value.
struct Choices {
  std::string minutes = "1";
  bool fading = true;
  int command = -2;
  int music = -2;
};

class WholeNightTest : public somnara::testing::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    platform::Services s = platform::Current();
    s.volume = &volume;
    platform::Install(s);
    WriteFile("pend.gif", somnara::testing::SmallAnimatedGif());
    AddTrack("sound/start.mid", 9000);
    AddTrack("somna.dll", 45000);
    AddTrack("SNatural.dll", 600000);
    fw::App().OnException = [this](const std::string& message) { errors.push_back(message); };
  }

  void Click(int64_t ms, std::function<fw::Control*()> control) {
    windows.At(ms, [this, control] {
      fw::Control* c = control();
      windows.Click(c->ClientToScreen({c->Width() / 2, c->Height() / 2}));
    });
  }

  // Start, OK, Next, Next, Next with the given choices; the night then runs by itself.
  // Gives the moment the program ended (limit_ms when nothing ended it).
  int64_t Night(const Choices& choices, int64_t limit_ms) {
    Click(kStart, [] { return Form2->suiButton1; });
    Click(kOk, [] { return Form3->suiButton4; });
    Click(kNext1, [] { return Form3->suiButton1; });
    if (choices.music != -2)
      windows.At(kNext2 - 1, [&] { Form3->ComboBox1->SetItemIndex(choices.music); });
    Click(kNext2, [] { return Form3->suiButton2; });
    windows.At(kNext3 - 1, [&] {
      Form3->Edit1->SetText(choices.minutes);
      Form3->CheckBox1->SetChecked(choices.fading);
      if (choices.command != -2) Form3->ComboBox2->SetItemIndex(choices.command);
    });
    Click(kNext3, [] { return Form3->suiButton3; });
    windows.At(limit_ms, [] { fw::App().Terminate(); });
    app::RunProgram();
    return Now();
  }

  // Transport commands and volume settings (no status or format queries), "time command".
  std::vector<std::string> Transport() const {
    std::vector<std::string> out;
    for (const auto& e : media.Log())
      if (e.command.rfind("status", 0) != 0 && e.command.rfind("set ", 0) != 0)
        out.push_back(std::to_string(e.time_ms) + " " + e.command);
    return out;
  }
  std::string Open(const std::string& relative) const {
    std::string s = ProgramPath(relative);
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return "open " + s + " type MPEGVideo Alias dd";
  }
  // Visible windows by class, in the order they were made.
  static std::vector<std::string> VisibleWindows() {
    std::vector<std::string> out;
    for (fw::Form* f : fw::App().Forms())
      if (f->Visible()) out.push_back(f->ClassName());
    return out;
  }
  // A window's opacity changes, repeats of the same value left out.
  static std::vector<int> Opacities(fw::Form* form) {
    std::vector<int> out;
    auto* native = static_cast<platform::HeadlessWindow*>(form->NativeWindow());
    for (uint8_t v : native->OpacityHistory())
      if (out.empty() || out.back() != v) out.push_back(v);
    return out;
  }
  // from, from +/- 5, ... to.
  static std::vector<int> Ramp(int from, int to) {
    std::vector<int> out;
    int step = from < to ? 5 : -5;
    for (int v = from;; v += step) {
      out.push_back(v);
      if (v == to) break;
    }
    return out;
  }
  static std::vector<int> Join(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  }

  platform::HeadlessSystemVolume volume{0xFF00FF00u};
  std::vector<std::string> errors;
};

TEST_F(WholeNightTest, OneMinuteNightFromStartToEnd) {
  std::vector<std::pair<int64_t, std::vector<std::string>>> stages;
  for (int64_t t : {int64_t{1500}, int64_t{2500}, kFocus + 1000, kFocusClosed + 500,
                    kBreathing + 1000, kSleep + 1000, kMusic + 60001})
    windows.At(t, [&stages, t] { stages.emplace_back(t, VisibleWindows()); });
  windows.At(kSleep + 1, [&] {
    ASSERT_NE(Form4, nullptr);
    EXPECT_TRUE(Form4->IsModal());
    EXPECT_EQ(Form4->Owner(), Form6);
    EXPECT_TRUE(Form4->HoldsIdleInhibitor());
    EXPECT_EQ(SecondsLeft, 60);
    EXPECT_EQ(FinishCommand, 3);
  });
  windows.At(kMusic + 60001, [&] {
    EXPECT_EQ(Form4->Label1->Caption(), kGoodNight);
    EXPECT_FALSE(Form4->HoldsIdleInhibitor());
  });
  EXPECT_EQ(Night({}, kMusic + 600000), kMusic + 66000);

  using V = std::vector<std::string>;
  EXPECT_EQ(stages, (std::vector<std::pair<int64_t, V>>{
                        {1500, V{"TForm1", "TForm2"}},
                        {2500, V{"TForm1", "TForm3"}},
                        {kFocus + 1000, V{"TForm1", "TForm3", "TForm5"}},
                        {kFocusClosed + 500, V{"TForm1"}},
                        {kBreathing + 1000, V{"TForm1", "TForm6"}},
                        {kSleep + 1000, V{"TForm1", "TForm6", "TForm4"}},
                        {kMusic + 60001, V{"TForm1", "TForm6", "TForm4"}},
                    }));

  auto at = [](int64_t t, const std::string& command) { return std::to_string(t) + " " + command; };
  EXPECT_EQ(Transport(),
            (std::vector<std::string>{
                at(0, Open("sound/start.mid")),
                at(0, "setaudio dd Volume to 1000"),
                at(0, "play dd"),
                at(kStart, "Stop dd"),
                at(kNext2, "Stop dd"),  // leaving the sound page stops the test playback
                at(kFocus + 10000, "Close All"),
                at(kFocus + 10000, Open("somna.dll")),
                at(kFocus + 10000, "play dd"),
                at(kFocus + 55000, "Close dd"),
                at(kFocus + 55000, Open("somna.dll")),
                at(kFocus + 55000, "play dd"),
                at(kFocus + 100000, "Close dd"),
                at(kFocus + 100000, Open("somna.dll")),
                at(kFocus + 100000, "play dd"),
                at(kMusic, "Close All"),
                at(kMusic, Open("SNatural.dll")),
                at(kMusic, "play dd"),
                at(kMusic + 60000, "Close All"),
            }));

  EXPECT_EQ(SettingsLines(), (std::vector<std::string>{"[Option]", "music=0", "volume=255", "vol=1",
                                                       "fout=1", "exe=3"}));

  EXPECT_EQ(Opacities(Form2), Ramp(0, 255));
  EXPECT_EQ(Opacities(Form3), Join(Ramp(0, 210), Ramp(205, 0)));
  EXPECT_EQ(Opacities(Form5), Join(Ramp(0, 255), Ramp(250, 0)));
  EXPECT_EQ(Opacities(Form6), Join(Ramp(0, 200), Ramp(195, 0)));
  EXPECT_EQ(Opacities(Form4), Ramp(0, 155));

  // Display-off requests from the sleep window only: at 30, 60 and perhaps 90 s (the last
  // falls together with the end of the countdown).
  size_t requests = windows.MonitorPowerRequests().size();
  EXPECT_TRUE(requests == 2 || requests == 3) << requests;

  ASSERT_EQ(power.requests().size(), 1u);
  EXPECT_EQ(power.requests()[0].kind, platform::RecordedPowerRequest::Kind::kExitWindowsEx);
  EXPECT_EQ(power.requests()[0].flags, 9u);
  const auto& events = power.events();
  auto release = std::find(events.begin(), events.end(), "ReleaseIdle");
  auto exit = std::find(events.begin(), events.end(), "ExitWindowsEx 9 0");
  ASSERT_NE(exit, events.end());
  EXPECT_LT(release, exit);
  EXPECT_EQ(std::count(events.begin(), events.end(), "InhibitIdle Somnara"), 1);
  EXPECT_TRUE(errors.empty());
}

struct PlayTimeCase {
  std::string minutes;
  int64_t end;
  bool good_night;
};

void PrintTo(const PlayTimeCase& c, std::ostream* os) {
  *os << "play time \"" << c.minutes << "\"";
}

class WholeNightPlayTime : public WholeNightTest,
                           public ::testing::WithParamInterface<PlayTimeCase> {};

TEST_P(WholeNightPlayTime, DecidesWhenAndHowTheNightEnds) {
  const PlayTimeCase& c = GetParam();
  Choices choices;
  choices.minutes = c.minutes;
  EXPECT_EQ(Night(choices, kMusic + 600000), c.end);
  EXPECT_EQ(Form4->Label1->Caption() == kGoodNight, c.good_night);
  EXPECT_EQ(power.requests().size(), c.good_night ? 1u : 0u);
  EXPECT_EQ(errors, c.minutes == "abc"
                        ? std::vector<std::string>{"'abc' is not a valid integer value"}
                        : std::vector<std::string>{});
  // Two minutes reach the last hundred seconds: the volume falls from the 21st tick on.
  int64_t first_level = -1;
  for (const auto& e : media.Log())
    if (e.time_ms > kMusic && e.command.rfind("setaudio", 0) == 0 && first_level < 0)
      first_level = e.time_ms;
  EXPECT_EQ(first_level, c.minutes == "2" ? kMusic + 21000 : -1);
}

INSTANTIATE_TEST_SUITE_P(Variants, WholeNightPlayTime,
                         ::testing::Values(PlayTimeCase{"2", kMusic + 126000, true},
                                           PlayTimeCase{"0", kMusic + 6000, false},
                                           PlayTimeCase{"-1", kMusic + 1000, false},
                                           PlayTimeCase{"abc", kMusic + 6000, false}));

using Kind = platform::RecordedPowerRequest::Kind;
struct CommandCase {
  int command;
  bool request;
  Kind kind;
  bool suspend;
  uint32_t flags;
};

void PrintTo(const CommandCase& c, std::ostream* os) {
  *os << "command " << c.command;
}

class WholeNightCommand : public WholeNightTest,
                          public ::testing::WithParamInterface<CommandCase> {};

TEST_P(WholeNightCommand, IsCarriedOutAtTheEndOrNothingHappens) {
  const CommandCase& c = GetParam();
  Choices choices;
  choices.command = c.command;
  EXPECT_EQ(Night(choices, kMusic + 600000), kMusic + 66000);
  EXPECT_EQ(SettingsLines().back(), "exe=" + std::to_string(c.command));
  EXPECT_EQ(Form4->Label1->Caption(), kGoodNight);
  ASSERT_EQ(power.requests().size(), c.request ? 1u : 0u);
  if (c.request) {
    EXPECT_EQ(power.requests()[0].kind, c.kind);
    if (c.kind == Kind::kSetSystemPowerState) {
      EXPECT_EQ(power.requests()[0].suspend, c.suspend);
      EXPECT_TRUE(power.requests()[0].force);
    } else {
      EXPECT_EQ(power.requests()[0].flags, c.flags);
    }
  }
  EXPECT_EQ(power.idle_inhibitors_held(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Variants, WholeNightCommand,
    ::testing::Values(CommandCase{-1, false, Kind::kExitWindowsEx, false, 0},
                      CommandCase{0, false, Kind::kExitWindowsEx, false, 0},
                      CommandCase{1, true, Kind::kSetSystemPowerState, true, 0},
                      CommandCase{2, true, Kind::kSetSystemPowerState, false, 0},
                      CommandCase{3, true, Kind::kExitWindowsEx, false, 9},
                      CommandCase{4, true, Kind::kExitWindowsEx, false, 13}));

TEST_F(WholeNightTest, FadingOffKeepsTheLevelAndAnUnknownSoundPassesInSilence) {
  Choices choices;
  choices.minutes = "2";
  choices.fading = false;
  choices.music = -1;
  EXPECT_EQ(Night(choices, kMusic + 600000), kMusic + 126000);
  EXPECT_EQ(SettingsLines()[1], "music=-1");
  for (const auto& e : media.Log()) {
    if (e.time_ms < kMusic) continue;
    EXPECT_NE(e.command.rfind("setaudio", 0), 0u) << e.time_ms << " " << e.command;
    if (e.command.rfind("open", 0) == 0) {
      EXPECT_NE(e.code, 0) << e.command;
    }
  }
  EXPECT_EQ(Form4->Label1->Caption(), kGoodNight);
  ASSERT_EQ(power.requests().size(), 1u);
}

TEST_F(WholeNightTest, ExitDuringTheFirstThirtySecondsEndsBeforeAnyMusic) {
  windows.At(kSleep + 10000, [&] { windows.Click(Form4->suiButton1->ClientToScreen({10, 10})); });
  EXPECT_EQ(Night({}, kMusic + 600000), kSleep + 10000);
  for (const auto& e : media.Log())
    EXPECT_EQ(e.command.find(Open("SNatural.dll")), std::string::npos);
  EXPECT_TRUE(power.requests().empty());
  EXPECT_TRUE(windows.MonitorPowerRequests().empty());
  EXPECT_EQ(power.idle_inhibitors_held(), 0);
}

TEST_F(WholeNightTest, ASoundThatEndsDuringTheFadeOutStartsAgainAtTheFallingLevel) {
  // Ends 70.05 s after the music start, in the last 100 s; the loop timer finds it at 70.1 s.
  AddTrack("SOcean.dll", 70050);
  Choices choices;
  choices.minutes = "2";
  choices.music = 2;
  EXPECT_EQ(Night(choices, kMusic + 600000), kMusic + 126000);
  std::vector<std::string> after;
  for (const auto& e : media.Log())
    if (e.time_ms >= kMusic + 70001 && e.time_ms < kMusic + 71100 &&
        e.command.rfind("status", 0) != 0 && e.command.rfind("set ", 0) != 0)
      after.push_back(std::to_string(e.time_ms - kMusic) + " " + e.command);
  // Reopened by the loop timer at the level it had (fifty seconds before the end: 500), so
  // the fade goes on without a burst at full volume; the next fade tick goes on falling
  // (500, or 490 once the countdown has ticked).
  ASSERT_EQ(after.size(), 5u);
  EXPECT_EQ(after[0], "70100 Close dd");
  EXPECT_EQ(after[1], "70100 " + Open("SOcean.dll"));
  EXPECT_EQ(after[2], "70100 setaudio dd Volume to 500");
  EXPECT_EQ(after[3], "70100 play dd");
  EXPECT_TRUE(after[4] == "71000 setaudio dd Volume to 490" ||
              after[4] == "71000 setaudio dd Volume to 500")
      << after[4];
}

}  // namespace
}  // namespace somnara::routine
