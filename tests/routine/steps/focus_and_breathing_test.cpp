// The focus and breathing steps from the focus window's creation to the sleep window, on the
// virtual clock: layout, fades, guidance and its repetition, and the hand-overs.
#include <gtest/gtest.h>

#include <cctype>

#include "app/backdrop_window.h"
#include "app/program_entry.h"
#include "framework/controls/button.h"
#include "framework/controls/image.h"
#include "framework/controls/label.h"
#include "framework/timer.h"
#include "program_fixture.h"
#include "routine/breathing_window.h"
#include "routine/focus_window.h"
#include "routine/sleep_window.h"
#include "sound/current_sound.h"

namespace somnara::routine {
namespace {

// A scripted step runs before the timers due at the same moment, so a check at time t sees
// the ticks before t only.

// The focus window is opened at this time, from a scripted step over the main window.
constexpr int64_t kT0 = 1500;
// Fade-out ticks (1 ms) from 255, and the tick that ends it.
constexpr int64_t kFocusClosed = kT0 + 120000 + 52;
constexpr int64_t kBreathingOpened = kFocusClosed + 1000;
// Fade-out from 200 takes 40 ticks, the 41st ends it.
constexpr int64_t kSleepOpened = kBreathingOpened + 30000 + 41;

std::string Lower(std::string s) {
  for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

class RoutineStepsTest : public somnara::testing::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    WriteFile("pend.gif", somnara::testing::SmallAnimatedGif());
    AddTrack("sound/start.mid", 9000);
  }

  // Opens the focus window at kT0 as the wizard does, and ends the run at end_ms.
  void Run(int64_t end_ms) {
    windows.At(kT0, [] {
      Form5 = new TForm5(Form1);
      Form5->AfterConstruction();
      Form5->ShowModal();
    });
    windows.At(end_ms, [] { fw::App().Terminate(); });
    app::RunProgram();
  }

  // Opening, closing, playing and stopping commands after `from`, as "time command".
  std::vector<std::string> Transport(int64_t from) const {
    std::vector<std::string> out;
    for (const auto& e : media.Log()) {
      if (e.time_ms < from || e.command.rfind("status", 0) == 0 || e.command.rfind("set ", 0) == 0)
        continue;
      out.push_back(std::to_string(e.time_ms - kT0) + " " + e.command);
    }
    return out;
  }
};

TEST_F(RoutineStepsTest, FocusWindowLayout) {
  windows.SetScreenSize({1280, 800});
  windows.At(kT0 + 1, [&] {
    ASSERT_NE(Form5, nullptr);
    EXPECT_TRUE(Form5->IsModal());
    EXPECT_EQ(Form5->Owner(), Form1);
    EXPECT_EQ(Form5->GetBorderStyle(), fw::BorderStyle::kNone);
    EXPECT_EQ(Form5->ClientWidth(), 477);
    EXPECT_EQ(Form5->ClientHeight(), 469);
    auto* native = static_cast<platform::HeadlessWindow*>(Form5->NativeWindow());
    EXPECT_NEAR(native->Bounds().left + native->Bounds().Width() / 2.0, 640, 1);
    EXPECT_NEAR(native->Bounds().top + native->Bounds().Height() / 2.0, 400, 1);
    EXPECT_TRUE(Form5->AlphaBlend());
    EXPECT_EQ(native->OpacityHistory().front(), 0);
    // The disc is taller than the window; its bottom rows are cut off.
    const fw::Bitmap& disc = Form5->Image2->GetPicture().Bitmap();
    EXPECT_EQ(disc.Width(), 477);
    EXPECT_EQ(disc.Height(), 489);
    EXPECT_EQ(Form5->Image2->Width(), 477);
    EXPECT_EQ(Form5->Image2->Height(), 489);
    EXPECT_EQ(Form5->lbl1->Caption(),
              "Step 4:\r\n\r\nPlease focus your eyes on this \r\nred circle for about 2 minutes. "
              "\r\nCalm your mind, relax your body,\r\ndon't think of anything ...");
    EXPECT_TRUE(Form5->lbl1->Visible());
    EXPECT_EQ(Form5->Label1->Caption(), "0");
    EXPECT_FALSE(Form5->Label1->Visible());
    EXPECT_EQ(Form5->Button1->Width(), 0);
    EXPECT_EQ(Form5->Button1->TabOrder(), 0);
    EXPECT_TRUE(Form5->Timer1->Enabled());
    EXPECT_FALSE(Form5->Timer2->Enabled());
    EXPECT_TRUE(Form5->Timer3->Enabled());
    EXPECT_FALSE(Form5->Timer4->Enabled());
    EXPECT_TRUE(Form5->Timer5->Enabled());
    EXPECT_EQ(Form5->Timer3->Interval(), 10);
  });
  Run(kT0 + 2);
}

TEST_F(RoutineStepsTest, DiscIsRedWithBlackStripesOnBlack) {
  windows.At(kT0 + 5, [&] {
    const fw::Bitmap& disc = Form5->Image2->GetPicture().Bitmap();
    auto red = [](uint32_t c) { return int(c & 0xFF); };  // colour words: red in the low byte
    EXPECT_EQ(disc.GetPixel(2, 2) & 0xFFFFFF, 0u);        // corner: black
    EXPECT_EQ(disc.GetPixel(238, 480) & 0xFFFFFF, 0u);    // below the disc
    // Down the middle column, red rows and black stripes take turns.
    int changes = 0, red_rows = 0;
    bool was_red = false;
    for (int y = 30; y < 440; ++y) {
      bool is_red = red(disc.GetPixel(238, y)) > 128;
      red_rows += is_red;
      changes += is_red != was_red;
      was_red = is_red;
    }
    EXPECT_GT(red_rows, 250);
    EXPECT_GE(changes, 30);
  });
  Run(kT0 + 6);
}

TEST_F(RoutineStepsTest, FocusStepFadesInShowsTheBackdropPartsAndStartsTheGuidanceAtTenSeconds) {
  AddTrack("somna.dll", 45000);
  std::vector<std::function<void()>> checks;
  windows.At(kT0 + 501, [&] {
    EXPECT_EQ(Form5->AlphaBlendValue(), 250);
    EXPECT_FALSE(Form1->Image1->Visible());
    EXPECT_FALSE(Form1->Label1->Visible());
  });
  windows.At(kT0 + 525, [&] {
    // Reached 255 at 510 ms; the tick at 520 found it there.
    EXPECT_EQ(Form5->AlphaBlendValue(), 255);
    EXPECT_FALSE(Form5->Timer3->Enabled());
    EXPECT_TRUE(Form1->Image1->Visible());
    EXPECT_TRUE(Form1->Label1->Visible());
    // Something else lowers it: the guidance start puts it back.
    Form5->SetAlphaBlendValue(100);
  });
  windows.At(kT0 + 9999, [&] {
    EXPECT_TRUE(Form5->lbl1->Visible());
    EXPECT_FALSE(Form1->Timer2->Enabled());
  });
  windows.At(kT0 + 10001, [&] {
    EXPECT_FALSE(Form5->lbl1->Visible());
    EXPECT_FALSE(Form5->Timer5->Enabled());
    EXPECT_EQ(Form5->AlphaBlendValue(), 255);
    EXPECT_EQ(sound::CurrentSoundPath, ProgramPath("somna.dll"));
    EXPECT_TRUE(Form1->Timer2->Enabled());
    EXPECT_EQ(Form5->Label1->Caption(), "1");
  });
  Run(kT0 + 10002);
  std::string guidance = Lower(ProgramPath("somna.dll"));
  EXPECT_EQ(Transport(kT0),
            (std::vector<std::string>{"10000 Close All",
                                      "10000 open " + guidance + " type MPEGVideo Alias dd",
                                      "10000 play dd"}));
}

TEST_F(RoutineStepsTest, TheTwelfthTickStartsTheFadeOutAndTheHandOverFiresInTheClosedWindow) {
  AddTrack("somna.dll", 45000);
  windows.At(kT0 + 110001, [&] {
    EXPECT_EQ(Form5->Label1->Caption(), "11");
    EXPECT_TRUE(Form5->Timer1->Enabled());
    EXPECT_FALSE(Form5->Timer2->Enabled());
    EXPECT_EQ(Form5->AlphaBlendValue(), 255);
  });
  windows.At(kT0 + 120000, [&] { EXPECT_EQ(Form5->Label1->Caption(), "11"); });
  windows.At(kT0 + 120001, [&] {
    EXPECT_EQ(Form5->Label1->Caption(), "12");
    EXPECT_FALSE(Form5->Timer1->Enabled());
    EXPECT_TRUE(Form5->Timer2->Enabled());
    EXPECT_EQ(Form5->AlphaBlendValue(), 255);
  });
  windows.At(kT0 + 120052, [&] {
    EXPECT_EQ(Form5->AlphaBlendValue(), 0);
    EXPECT_TRUE(Form5->IsModal());
  });
  windows.At(kFocusClosed + 1, [&] {
    EXPECT_FALSE(Form5->IsModal());
    EXPECT_FALSE(Form5->Visible());
    EXPECT_FALSE(Form5->Timer2->Enabled());
    EXPECT_TRUE(Form5->Timer4->Enabled());
    EXPECT_EQ(Form6, nullptr);
  });
  windows.At(kBreathingOpened, [&] { EXPECT_EQ(Form6, nullptr); });
  windows.At(kBreathingOpened + 1, [&] {
    ASSERT_NE(Form6, nullptr);
    EXPECT_TRUE(Form6->IsModal());
    EXPECT_EQ(Form6->Owner(), Form5);
    EXPECT_FALSE(Form5->Visible());
    EXPECT_FALSE(Form5->Timer4->Enabled());
    EXPECT_EQ(Form5->Label1->Caption(), "12");  // no thirteenth tick
  });
  Run(kBreathingOpened + 2);
  // Nothing stopped the guidance when the focus window closed.
  for (const std::string& line : Transport(kT0 + 10001)) {
    EXPECT_EQ(line.find("Stop"), std::string::npos) << line;
    EXPECT_EQ(line.find("Close All"), std::string::npos) << line;
  }
}

TEST_F(RoutineStepsTest, BreathingStopsTheRepetitionAtTwoSecondsAndTheGuidancePlaysToItsEnd) {
  AddTrack("somna.dll", 45000);
  windows.SetScreenSize({1000, 700});
  windows.At(kBreathingOpened + 2, [&] {
    EXPECT_EQ(Form6->GetBorderStyle(), fw::BorderStyle::kNone);
    EXPECT_EQ(Form6->ClientWidth(), 340);
    EXPECT_EQ(Form6->ClientHeight(), 190);
    auto* native = static_cast<platform::HeadlessWindow*>(Form6->NativeWindow());
    EXPECT_NEAR(native->Bounds().left + native->Bounds().Width() / 2.0, 500, 1);
    EXPECT_NEAR(native->Bounds().top + native->Bounds().Height() / 2.0, 350, 1);
    EXPECT_EQ(Form6->lbl1->Caption(),
              "Step 5:\r\n\r\nBreathe deeply for 3 times.\r\n1.Please breathe in ... slowly, and "
              "deeply...\r\n2.Breathe out ... slowly, and deeply...\r\n3.Repeat 3 times. ");
    EXPECT_EQ(Form6->Button1->Width(), 0);
    EXPECT_EQ(Form6->Button1->TabOrder(), 0);
    EXPECT_EQ(Form6->AlphaBlendValue(), 5);
  });
  windows.At(kBreathingOpened + 45, [&] {
    EXPECT_EQ(Form6->AlphaBlendValue(), 200);  // and no further
    EXPECT_FALSE(Form6->Timer3->Enabled());
  });
  windows.At(kBreathingOpened + 2000, [&] { EXPECT_TRUE(Form1->Timer2->Enabled()); });
  windows.At(kBreathingOpened + 2001, [&] {
    EXPECT_FALSE(Form1->Timer2->Enabled());
    EXPECT_FALSE(Form6->Timer4->Enabled());
  });
  windows.At(kBreathingOpened + 30001, [&] {
    EXPECT_FALSE(Form6->Timer1->Enabled());
    EXPECT_TRUE(Form6->Timer2->Enabled());
    EXPECT_EQ(Form4, nullptr);
  });
  windows.At(kSleepOpened, [&] { EXPECT_EQ(Form4, nullptr); });
  windows.At(kSleepOpened + 1, [&] {
    ASSERT_NE(Form4, nullptr);
    EXPECT_TRUE(Form4->IsModal());
    EXPECT_EQ(Form4->Owner(), Form6);
    EXPECT_EQ(Form4->ClientWidth(), 535);
    EXPECT_EQ(Form4->ClientHeight(), 155);
    // The breathing window waits, invisible, under the sleep window.
    EXPECT_EQ(Form6->AlphaBlendValue(), 0);
    EXPECT_TRUE(Form6->Visible());
    EXPECT_FALSE(Form6->Timer2->Enabled());
  });
  int64_t guidance_position = -1;
  windows.At(kSleepOpened, [&] {
    guidance_position = std::stoll(media.SendCommand("status dd position").reply);
  });
  Run(kT0 + 200000);
  EXPECT_EQ(guidance_position, 45000);
  // The guidance started at 10 s and again each time it had played to its end (45 s); its
  // third play, running when the repetition stopped, was left to finish and not started again.
  std::string open = "open " + Lower(ProgramPath("somna.dll")) + " type MPEGVideo Alias dd";
  // Up to the sleep window, which later plays its own music.
  std::vector<std::string> guidance;
  for (const std::string& line : Transport(kT0))
    if (std::stoll(line) < kSleepOpened) guidance.push_back(line);
  EXPECT_EQ(guidance,
            (std::vector<std::string>{"10000 Close All", "10000 " + open, "10000 play dd",
                                      "55000 Close dd", "55000 " + open, "55000 play dd",
                                      "100000 Close dd", "100000 " + open, "100000 play dd"}));
}

TEST_F(RoutineStepsTest, AMissingGuidanceLeavesTheStepSilentAndTheLoopTimerTrying) {
  std::vector<std::string> errors;
  fw::App().OnException = [&](const std::string& message) { errors.push_back(message); };
  windows.At(kBreathingOpened + 1, [&] { EXPECT_NE(Form6, nullptr); });
  Run(kBreathingOpened + 2);
  EXPECT_TRUE(errors.empty());
  int opens = 0;
  for (const auto& e : media.Log())
    if (e.time_ms > kT0 && e.command.rfind("open", 0) == 0) {
      ++opens;
      EXPECT_NE(e.code, 0);
    }
  // Once at 10 s, then at every tick of the loop timer (100 ms) until the breathing step.
  EXPECT_GT(opens, 1000);
}

}  // namespace
}  // namespace somnara::routine
