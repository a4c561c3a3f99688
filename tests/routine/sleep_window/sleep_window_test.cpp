// The sleep window on its own, opened over the main window on the virtual clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <iterator>
#include <span>

#include "app/backdrop_window.h"
#include "framework/controls/label.h"
#include "framework/resources.h"
#include "framework/timer.h"
#include "routine/sleep_window/sleep_window_fixture.h"
#include "skin/controls/tsui_button.h"
#include "sound/current_sound.h"

namespace somnara::routine {
namespace {

using somnara::testing::SleepWindowTest;

constexpr char kBedTime[] =
    "Now, please go to bed. Followed along with the hypnotic music \r\nyou will enjoy your "
    "dream in the deep sleep.\r\n(Don't exit untill finished.)";
constexpr char kGoodNight[] = "Somnara has been finished. Good night...";

// "setaudio dd Volume to N" commands as (ms after creation, N).
std::vector<std::pair<int64_t, int>> VolumesSet(const platform::HeadlessMediaService& media,
                                                int64_t t0) {
  std::vector<std::pair<int64_t, int>> out;
  const std::string prefix = "setaudio dd Volume to ";
  for (const auto& e : media.Log())
    if (e.time_ms >= t0 && e.command.rfind(prefix, 0) == 0)
      out.emplace_back(e.time_ms - t0, std::stoi(e.command.substr(prefix.size())));
  return out;
}

TEST_F(SleepWindowTest, LayoutSettingsInhibitorAndFadeIn) {
  windows.SetScreenSize({1280, 800});
  Options("vol=3\nfout=0\nexe=0x2\nmusic=4\n");
  At(kT0 + 1, [&] {
    ASSERT_NE(Form4, nullptr);
    EXPECT_TRUE(Form4->IsModal());
    EXPECT_EQ(Form4->Owner(), Form1);
    EXPECT_EQ(Form4->GetBorderStyle(), fw::BorderStyle::kNone);
    EXPECT_EQ(Form4->ClientWidth(), 535);
    EXPECT_EQ(Form4->ClientHeight(), 155);
    auto* native = static_cast<platform::HeadlessWindow*>(Form4->NativeWindow());
    EXPECT_NEAR(native->Bounds().left + native->Bounds().Width() / 2.0, 640, 1);
    EXPECT_NEAR(native->Bounds().top + native->Bounds().Height() / 2.0, 400, 1);
    EXPECT_TRUE(Form4->AlphaBlend());
    EXPECT_EQ(native->OpacityHistory().front(), 0);
    EXPECT_EQ(Form4->Label1->Caption(), kBedTime);
    EXPECT_EQ(Form4->Label1->Width(), 535);
    EXPECT_EQ(Form4->Label1->Height(), 72);
    EXPECT_EQ(Form4->suiButton1->Caption(), "Exit");
    EXPECT_EQ(Form4->suiButton1->Left(), 376);
    EXPECT_EQ(Form4->suiButton1->Top(), 128);
    EXPECT_EQ(Form4->suiButton1->Width(), 73);
    EXPECT_EQ(Form4->suiButton1->Height(), 27);
    // Read at creation, before the window was shown.
    EXPECT_EQ(SecondsLeft, 180);
    EXPECT_FALSE(FadeOutEnabled);
    EXPECT_EQ(FinishCommand, 2);
    EXPECT_EQ(MusicIndex, 4);
    EXPECT_TRUE(Form4->HoldsIdleInhibitor());
    EXPECT_EQ(power.idle_inhibitors_held(), 1);
    std::vector<std::pair<fw::Timer*, int>> timers = {
        {Form4->Timer1, 30000}, {Form4->Timer2, 30000}, {Form4->Timer3, 100},
        {Form4->Timer4, 2000},  {Form4->fout, 1000},    {Form4->total, 1000}};
    for (auto [timer, interval] : timers) EXPECT_EQ(timer->Interval(), interval) << timer->Name();
    EXPECT_TRUE(Form4->Timer1->Enabled());
    EXPECT_TRUE(Form4->Timer2->Enabled());
    EXPECT_FALSE(Form4->Timer3->Enabled());
    EXPECT_TRUE(Form4->Timer4->Enabled());
    EXPECT_FALSE(Form4->fout->Enabled());
    EXPECT_FALSE(Form4->total->Enabled());
  });
  // Transparent for two seconds, then 5 every 100 ms up to 155, reached at 5.1 s.
  At(kT0 + 2000, [&] { EXPECT_EQ(Form4->AlphaBlendValue(), 0); });
  At(kT0 + 2001, [&] {
    EXPECT_TRUE(Form4->Timer3->Enabled());
    EXPECT_FALSE(Form4->Timer4->Enabled());
  });
  At(kT0 + 2101, [&] { EXPECT_EQ(Form4->AlphaBlendValue(), 5); });
  At(kT0 + 5101, [&] {
    EXPECT_EQ(Form4->AlphaBlendValue(), 155);
    EXPECT_TRUE(Form4->Timer3->Enabled());
  });
  At(kT0 + 5201, [&] {
    EXPECT_FALSE(Form4->Timer3->Enabled());
    auto* native = static_cast<platform::HeadlessWindow*>(Form4->NativeWindow());
    const auto& history = native->OpacityHistory();
    EXPECT_EQ(*std::max_element(history.begin(), history.end()), 155);
  });
  Run(kT0 + 5202);
  EXPECT_EQ(SettingsCalls(), (std::vector<std::string>{"read vol=3", "read fout=0", "read exe=0x2",
                                                       "read music=4"}));
  EXPECT_TRUE(errors.empty());
}

TEST_F(SleepWindowTest, WithoutASettingsFileThePlayTimeIsTwentyFiveMinutes) {
  At(kT0 + 1, [&] {
    EXPECT_EQ(SecondsLeft, 1500);
    EXPECT_TRUE(FadeOutEnabled);
    EXPECT_EQ(FinishCommand, 3);
    EXPECT_EQ(MusicIndex, 0);
  });
  Run(kT0 + 2);
  EXPECT_EQ(SettingsCalls(),
            (std::vector<std::string>{"read vol=25", "read fout=", "read exe=", "read music="}));
}

TEST_F(SleepWindowTest, APlayTimeThatIsNotANumberStopsTheReadingButTheNightGoesOn) {
  AddTrack("SBicker.dll", 600000);
  Options("vol=abc\nfout=1\nexe=1\nmusic=3\n");
  // Whatever the values held before stays.
  FinishCommand = 2;
  MusicIndex = 4;
  At(kT0 + 1, [&] {
    EXPECT_TRUE(Form4->IsModal());
    EXPECT_EQ(SecondsLeft, 0);
    EXPECT_FALSE(FadeOutEnabled);
    EXPECT_EQ(FinishCommand, 2);
    EXPECT_EQ(MusicIndex, 4);
  });
  // The countdown starts from 0 and never lands on it again.
  EXPECT_EQ(Run(kT0 + 100000), kMusic + 6000);
  EXPECT_EQ(errors, std::vector<std::string>{"'abc' is not a valid integer value"});
  EXPECT_EQ(SettingsCalls(), std::vector<std::string>{"read vol=abc"});
  EXPECT_EQ(Commands(),
            (std::vector<std::string>{"30000 Close All", "30000 " + OpenCommand("SBicker.dll"),
                                      "30000 play dd"}));
  EXPECT_EQ(Form4->Label1->Caption(), kBedTime);
  EXPECT_TRUE(power.requests().empty());
  EXPECT_EQ(power.idle_inhibitors_held(), 0);
}

TEST_F(SleepWindowTest, AOneMinuteNightStandsByAfterLettingTheInhibitorGo) {
  AddTrack("SOcean.dll", 600000);
  Options("vol=1\nfout=1\nexe=1\nmusic=2\n");
  At(kMusic, [&] {
    EXPECT_FALSE(Form4->total->Enabled());
    EXPECT_FALSE(Form1->Timer2->Enabled());
  });
  At(kMusic + 1, [&] {
    EXPECT_EQ(sound::CurrentSoundPath, ProgramPath("SOcean.dll"));
    EXPECT_TRUE(Form1->Timer2->Enabled());
    EXPECT_TRUE(Form4->total->Enabled());
    EXPECT_FALSE(Form4->Timer2->Enabled());
    EXPECT_EQ(SecondsLeft, 60);
  });
  At(kMusic + 59001, [&] {
    EXPECT_EQ(SecondsLeft, 1);
    EXPECT_EQ(Form4->Label1->Caption(), kBedTime);
    EXPECT_TRUE(Form4->HoldsIdleInhibitor());
    EXPECT_TRUE(power.requests().empty());
  });
  At(kMusic + 60001, [&] {
    EXPECT_EQ(SecondsLeft, 0);
    EXPECT_EQ(Form4->Label1->Caption(), kGoodNight);
    EXPECT_FALSE(Form4->Timer1->Enabled());
    EXPECT_FALSE(Form1->Timer2->Enabled());
    EXPECT_FALSE(Form4->fout->Enabled());  // 60 s never passes 100
    EXPECT_FALSE(Form4->HoldsIdleInhibitor());
    EXPECT_TRUE(fw::App().MainForm() == Form1);
  });
  // The sixth tick after the end ends the program.
  At(kMusic + 65001, [&] { EXPECT_EQ(SecondsLeft, -5); });
  EXPECT_EQ(Run(kT0 + 200000), kMusic + 66000);
  EXPECT_EQ(SecondsLeft, -6);
  EXPECT_EQ(Commands(),
            (std::vector<std::string>{"30000 Close All", "30000 " + OpenCommand("SOcean.dll"),
                                      "30000 play dd", "90000 Close All"}));
  // The inhibitor is let go before the stand-by request, never after.
  const auto& events = power.events();
  auto inhibit = std::find(events.begin(), events.end(), "InhibitIdle Somnara");
  auto release = std::find(events.begin(), events.end(), "ReleaseIdle");
  auto standby = std::find(events.begin(), events.end(), "SetSystemPowerState suspend force");
  ASSERT_NE(inhibit, events.end());
  ASSERT_NE(standby, events.end());
  EXPECT_LT(inhibit, release);
  EXPECT_LT(release, standby);
  EXPECT_EQ(std::count(events.begin(), events.end(), "ReleaseIdle"), 1);
  ASSERT_EQ(power.requests().size(), 1u);
  EXPECT_TRUE(power.requests()[0].suspend);
  EXPECT_TRUE(errors.empty());
}

TEST_F(SleepWindowTest, TheDisplayIsAskedToSwitchOffEveryThirtySecondsUntilTheEnd) {
  AddTrack("SNatural.dll", 600000);
  Options("vol=2\nexe=0\n");
  std::vector<size_t> counts;
  for (int64_t t : {29999, 30001, 59999, 60001, 90001, 120001, 149999})
    At(kT0 + t, [&] { counts.push_back(windows.MonitorPowerRequests().size()); });
  EXPECT_EQ(Run(kT0 + 300000), kMusic + 126000);
  EXPECT_EQ(counts, (std::vector<size_t>{0, 1, 1, 2, 3, 4, 4}));
  // The tick that falls together with the end may or may not come first; none comes later.
  size_t last = windows.MonitorPowerRequests().size();
  EXPECT_TRUE(last == 4 || last == 5) << last;
  for (int state : windows.MonitorPowerRequests()) EXPECT_EQ(state, 2);
}

TEST_F(SleepWindowTest, TheVolumeFallsOverTheLastHundredSecondsAndAReopenedSoundKeepsItsLevel) {
  // The track ends 25 s after the music start, in the middle of the fade-out; the loop timer
  // opens it again.
  AddTrack("SDrip.dll", 25000);
  Options("vol=2\nfout=1\nexe=0\nmusic=5\n");
  At(kMusic + 19001, [&] { EXPECT_FALSE(Form4->fout->Enabled()); });
  At(kMusic + 20001, [&] {
    EXPECT_EQ(SecondsLeft, 100);  // the 20th tick
    EXPECT_TRUE(Form4->fout->Enabled());
  });
  Run(kT0 + 300000);
  std::vector<int64_t> reopened;
  for (const auto& e : media.Log())
    if (e.time_ms > kMusic && e.command.rfind("open ", 0) == 0) reopened.push_back(e.time_ms - kT0);
  ASSERT_FALSE(reopened.empty());
  EXPECT_GE(reopened.front(), 55000);
  EXPECT_LT(reopened.front(), 55200);
  // Each reopened track is given the level it had before it plays: no burst at full volume.
  auto volumes = VolumesSet(media, kT0);
  for (int64_t when : reopened) {
    auto restored = std::find_if(volumes.begin(), volumes.end(),
                                 [&](const auto& v) { return v.first == when; });
    ASSERT_NE(restored, volumes.end()) << when;
    ASSERT_NE(restored, volumes.begin()) << when;
    EXPECT_EQ(restored->second, std::prev(restored)->second) << when;
    volumes.erase(restored);
  }
  ASSERT_FALSE(volumes.empty());
  // One level a second from the 21st tick on, each the seconds left at that moment (which
  // of the two one-second timers comes first within a second is not fixed).
  EXPECT_EQ(volumes.front().first, 51000);
  int offset = volumes.front().second == 1000 ? 1 : 0;
  for (size_t i = 0; i < volumes.size(); ++i) {
    EXPECT_EQ(volumes[i].first, 51000 + 1000 * int64_t(i));
    EXPECT_EQ(volumes[i].second, 10 * (99 + offset - int(i))) << i;
  }
  // The last level sent reaches at most one hundredth of full scale, and nothing below zero.
  EXPECT_LE(volumes.back().second, 10);
  EXPECT_GE(volumes.back().second, 0);
  EXPECT_TRUE(errors.empty());
}

TEST_F(SleepWindowTest, WithFadingOffTheSoundPlaysAtFullLevelToTheEnd) {
  AddTrack("SNatural.dll", 600000);
  Options("vol=2\nfout=0\nexe=0\n");
  EXPECT_EQ(Run(kT0 + 300000), kMusic + 126000);
  EXPECT_TRUE(VolumesSet(media, kT0).empty());
  EXPECT_EQ(Commands(),
            (std::vector<std::string>{"30000 Close All", "30000 " + OpenCommand("SNatural.dll"),
                                      "30000 play dd", "150000 Close All"}));
}

TEST_F(SleepWindowTest, ExitEndsTheProgramAtOnceWithoutMusicOrCommand) {
  AddTrack("SNatural.dll", 600000);
  Options("vol=1\nexe=4\n");
  At(kT0 + 10000, [&] { windows.Click(Form4->suiButton1->ClientToScreen({36, 13})); });
  EXPECT_EQ(Run(kT0 + 200000), kT0 + 10000);
  EXPECT_TRUE(Commands().empty());
  EXPECT_TRUE(power.requests().empty());
  EXPECT_EQ(power.idle_inhibitors_held(), 0);
  EXPECT_TRUE(windows.MonitorPowerRequests().empty());
}

TEST_F(SleepWindowTest, NoPlayTimeOrANegativeOneEndsWithoutGoodNightOrCommand) {
  Options("vol=0\nexe=3\n");
  EXPECT_EQ(Run(kT0 + 200000), kMusic + 6000);
  EXPECT_EQ(Form4->Label1->Caption(), kBedTime);
  EXPECT_TRUE(power.requests().empty());
}

TEST_F(SleepWindowTest, ANegativePlayTimeEndsOnTheFirstTick) {
  Options("vol=-1\nexe=3\n");
  EXPECT_EQ(Run(kT0 + 200000), kMusic + 1000);
  EXPECT_EQ(SecondsLeft, -61);
  EXPECT_TRUE(power.requests().empty());
}

TEST_F(SleepWindowTest, AnUnknownSoundPassesTheNightInSilenceAndTheCommandStillRuns) {
  Options("vol=1\nexe=3\nmusic=-1\n");
  EXPECT_EQ(Run(kT0 + 200000), kMusic + 66000);
  std::vector<std::string> commands = Commands();
  ASSERT_GE(commands.size(), 3u);
  EXPECT_EQ(commands[1].rfind("30000 open ", 0), 0u) << commands[1];
  for (const auto& e : media.Log()) {
    if (e.command.rfind("open ", 0) == 0 && e.time_ms >= kMusic) {
      EXPECT_NE(e.code, 0);
    }
  }
  EXPECT_EQ(sound::CurrentSoundPath, program_dir);
  ASSERT_EQ(power.requests().size(), 1u);
  EXPECT_EQ(power.requests()[0].flags, 9u);
  EXPECT_TRUE(errors.empty());
}

TEST_F(SleepWindowTest, PlayTimesBeyondThirtyTwoBitsHoldAtTheLimits) {
  // 71582789 minutes wrapped to 44 seconds: a short night, then the command.
  Options("vol=71582789\nexe=3\n");
  At(kT0 + 1, [&] { EXPECT_EQ(SecondsLeft, INT32_MAX); });
  EXPECT_EQ(Run(kT0 + 200000), kT0 + 200000);
  EXPECT_TRUE(power.requests().empty());
}

TEST_F(SleepWindowTest, HugelyNegativePlayTimeEndsAtTheFirstTick) {
  // -35791395 minutes wrapped to a night of decades.
  Options("vol=-35791395\nexe=3\n");
  At(kT0 + 1, [&] { EXPECT_EQ(SecondsLeft, INT32_MIN); });
  EXPECT_EQ(Run(kT0 + 200000), kMusic + 1000);
  EXPECT_TRUE(power.requests().empty());
}

std::vector<std::span<const uint8_t>>& Released() {
  static std::vector<std::span<const uint8_t>> released;
  return released;
}

TEST_F(SleepWindowTest, TheBuiltInPicturesAreLetGoOnceTheMusicStarts) {
  platform::Services s = platform::Current();
  s.release_file_pages = [](const void* begin, size_t size) {
    Released().emplace_back(static_cast<const uint8_t*>(begin), size);
  };
  platform::Install(s);
  Released().clear();
  At(kMusic - 1, [] { EXPECT_TRUE(Released().empty()); });
  Run(kMusic + 1);
  ASSERT_EQ(Released().size(), 1u);
  const auto disc = fw::FindResource("generated/focus_disc.bmp").bytes;
  ASSERT_FALSE(disc.empty());
  EXPECT_LE(Released()[0].data(), disc.data());
  EXPECT_GE(Released()[0].data() + Released()[0].size(), disc.data() + disc.size());
}

TEST(SleepWindowArithmetic, MultiplicationAndStrictConversion) {
  EXPECT_EQ(MinutesToSeconds(45), 2700);
  EXPECT_EQ(MinutesToSeconds(-1), -60);
  EXPECT_EQ(MinutesToSeconds(35791394), 2147483640);
  EXPECT_EQ(MinutesToSeconds(35791395), INT32_MAX);
  EXPECT_EQ(MinutesToSeconds(-35791394), -2147483640);
  EXPECT_EQ(MinutesToSeconds(-35791395), INT32_MIN);

  EXPECT_EQ(StrictTextToInt("30"), 30);
  EXPECT_EQ(StrictTextToInt("-7"), -7);
  EXPECT_EQ(StrictTextToInt("+7"), 7);
  EXPECT_EQ(StrictTextToInt("2147483647"), INT32_MAX);
  EXPECT_EQ(StrictTextToInt("-2147483648"), INT32_MIN);
  for (const char* bad :
       {"", "-", "abc", "1.5", " 1", "1 ", "2147483648", "-2147483649", "99999999999999999999"}) {
    try {
      StrictTextToInt(bad);
      ADD_FAILURE() << bad;
    } catch (const fw::ConvertError& e) {
      EXPECT_EQ(e.what(), "'" + std::string(bad) + "' is not a valid integer value");
    }
  }
}

}  // namespace
}  // namespace somnara::routine
