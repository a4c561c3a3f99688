// The backdrop from start to the modal main window, on the headless desktop.
#include <gtest/gtest.h>

#include <cctype>

#include "app/backdrop_window.h"
#include "app/main_window.h"
#include "app/program_entry.h"
#include "framework/controls/image.h"
#include "framework/controls/label.h"
#include "framework/file_path.h"
#include "framework/timer.h"
#include "platform/media_service.h"
#include "program_fixture.h"
#include "sound/current_sound.h"

namespace somnara::app {
namespace {

using BackdropTest = somnara::testing::ProgramTest;

// Ends the run at `at_ms` after calling `check`.
void EndAt(platform::HeadlessWindowSystem& windows, int64_t at_ms, std::function<void()> check) {
  windows.At(at_ms, [check] {
    check();
    fw::App().Terminate();
  });
}

TEST_F(BackdropTest, CoversTheScreenPlaysTheTuneAndOpensTheMainWindowAfterOneSecond) {
  windows.SetScreenSize({1280, 800});
  WriteFile("pend.gif", testing::SmallAnimatedGif());
  AddTrack("sound/start.mid", 9000);
  fw::Form* main_at_999 = nullptr;
  windows.At(999, [&] { main_at_999 = Form2 == nullptr ? nullptr : Form2; });
  EndAt(windows, 1500, [&] {
    ASSERT_NE(Form1, nullptr);
    ASSERT_NE(Form2, nullptr);
    EXPECT_TRUE(Form2->IsModal());
    auto* backdrop = windows.FindByTitle("Somnara");
    ASSERT_NE(backdrop, nullptr);
    EXPECT_EQ(backdrop->Bounds(), Rect::FromSize(0, 0, 1280, 800));
    EXPECT_TRUE(backdrop->StayOnTop());
    // The main window lies above the backdrop, centred on it.
    auto order = windows.StackingOrder();
    ASSERT_EQ(order.size(), 2u);
    EXPECT_EQ(order[0], backdrop);
    EXPECT_EQ(order[1]->Title(), "Somnara - Help you easy to get a good night's sleep");
    Rect main = order[1]->Bounds();
    EXPECT_NEAR(main.left + main.Width() / 2.0, 640, 1);
    EXPECT_NEAR(main.top + main.Height() / 2.0, 400, 1);
    EXPECT_EQ(Form2->ClientWidth(), 438);
    EXPECT_EQ(Form2->ClientHeight(), 260);
    // Hidden until the focus step shows them.
    EXPECT_FALSE(Form1->Image1->Visible());
    EXPECT_FALSE(Form1->Label1->Visible());
  });
  EXPECT_EQ(RunProgram(), 0);
  EXPECT_EQ(main_at_999, nullptr);
  std::string tune = ProgramPath("sound/start.mid");
  EXPECT_EQ(sound::CurrentSoundPath, tune);
  // The channel opens the file by its short form, which is lower case.
  std::string element = tune;
  for (char& ch : element) ch = char(std::tolower(static_cast<unsigned char>(ch)));
  EXPECT_EQ(MediaLog(), (std::vector<std::string>{"0 open " + element + " type MPEGVideo Alias dd",
                                                  "0 setaudio dd Volume to 1000", "0 play dd"}));
}

TEST_F(BackdropTest, TheStarTileFillsTheBackdropFromItsCorner) {
  windows.SetScreenSize({800, 600});
  WriteFile("pend.gif", testing::SmallAnimatedGif());
  EndAt(windows, 500, [&] {
    auto* backdrop = windows.FindByTitle("Somnara");
    ASSERT_NE(backdrop, nullptr);
    const fw::Bitmap& tile = Form1->Image2->GetPicture().Bitmap();
    ASSERT_EQ(tile.Width(), 290);
    ASSERT_EQ(tile.Height(), 217);
    // Away from the frame line, the window repeats the tile with its origin at the
    // client corner (the border is one pixel wide).
    int mismatches = 0, stars = 0;
    for (int y = 5; y < 595; y += 3)
      for (int x = 5; x < 795; x += 3) {
        uint32_t want = tile.GetPixel((x - 1) % 290, (y - 1) % 217);
        uint32_t got = backdrop->PixelAt(x, y);
        uint32_t want_rgb = ((want & 0xFF) << 16) | (want & 0xFF00) | ((want >> 16) & 0xFF);
        if (got != want_rgb) ++mismatches;
        if (got != 0) ++stars;
      }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(stars, 20);
  });
  RunProgram();
}

TEST_F(BackdropTest, MissingPictureShowsTheErrorAndSkipsTheMusicButTheMainWindowStillOpens) {
  AddTrack("sound/start.mid", 9000);
  std::string shown;
  fw::App().OnException = [&](const std::string& message) { shown = message; };
  EndAt(windows, 1200, [&] { EXPECT_NE(Form2, nullptr); });
  RunProgram();
  EXPECT_EQ(shown, "Cannot open file \"" + fw::ShownPath(ProgramPath("pend.gif")) +
                       "\". No such file or directory");
  EXPECT_TRUE(sound::CurrentSoundPath.empty());
  EXPECT_TRUE(media.Log().empty());
  ASSERT_NE(Form1, nullptr);
  EXPECT_TRUE(windows.FindByTitle("Somnara")->Visible());
}

TEST_F(BackdropTest, MissingTuneIsSilentAndSaysNothing) {
  WriteFile("pend.gif", testing::SmallAnimatedGif());
  std::vector<std::string> shown;
  fw::App().OnException = [&](const std::string& message) { shown.push_back(message); };
  EndAt(windows, 1200, [] {});
  RunProgram();
  EXPECT_TRUE(shown.empty());
  EXPECT_EQ(sound::CurrentSoundPath, ProgramPath("sound/start.mid"));
  ASSERT_EQ(media.Log().size(), 3u);
  EXPECT_NE(media.Log()[0].code, 0);  // the open failed
}

TEST_F(BackdropTest, ClockRunsFromStartInTheLocalLongTimeFormat) {
  WriteFile("pend.gif", testing::SmallAnimatedGif());
  std::string at_2500;
  windows.At(2500, [&] { at_2500 = Form1->Label1->Caption(); });
  EndAt(windows, 3000, [] {});
  RunProgram();
  // The virtual day starts at 22:30:00; the clock last ticked at 2000 ms.
  EXPECT_EQ(at_2500, "22:30:02");
}

TEST_F(BackdropTest, ClosingTheMainWindowEndsTheProgram) {
  WriteFile("pend.gif", testing::SmallAnimatedGif());
  windows.At(1500, [&] { windows.RequestClose(windows.FindByTitle(Form2->Caption())); });
  windows.At(60000, [] {
    ADD_FAILURE() << "the program did not end";
    fw::App().Terminate();
  });
  RunProgram();
  EXPECT_LT(Now(), 60000);
}

}  // namespace
}  // namespace somnara::app

namespace somnara::app {
namespace {

class LoopTimerTest : public somnara::testing::ProgramTest {
 protected:
  // Times at which "play dd" was sent.
  std::vector<int64_t> Plays() const {
    std::vector<int64_t> out;
    for (const auto& e : media.Log())
      if (e.command == "play dd") out.push_back(e.time_ms);
    return out;
  }
};

TEST_F(LoopTimerTest, WithTheLoopTimerOffTheTunePlaysOnce) {
  WriteFile("pend.gif", testing::SmallAnimatedGif());
  AddTrack("sound/start.mid", 3000);
  windows.At(20000, [] { fw::App().Terminate(); });
  RunProgram();
  EXPECT_EQ(Plays(), (std::vector<int64_t>{0}));
}

TEST_F(LoopTimerTest, AnEndedTrackIsOpenedAndPlayedAgainWithinOneTick) {
  WriteFile("pend.gif", testing::SmallAnimatedGif());
  AddTrack("sound/start.mid", 3000);
  windows.At(500, [] { Form1->Timer2->SetEnabled(true); });
  windows.At(7000, [] { fw::App().Terminate(); });
  RunProgram();
  // The track ends at 3000 and again 3000 ms after each replay; the 100 ms poll (at 600,
  // 700, ...) catches each end on its next tick.
  EXPECT_EQ(Plays(), (std::vector<int64_t>{0, 3000, 6000}));
  // Each replay asks the level, closes, reopens the same file and, at full level, sets none.
  std::vector<std::string> around_replay;
  for (const auto& line : MediaLog())
    if (line.rfind("3000 ", 0) == 0) around_replay.push_back(line.substr(5));
  ASSERT_EQ(around_replay.size(), 7u);
  EXPECT_EQ(around_replay[0], "status dd position");
  EXPECT_EQ(around_replay[1], "set dd time format milliseconds");
  EXPECT_EQ(around_replay[2], "status dd length");
  EXPECT_EQ(around_replay[3], "status dd volume");
  EXPECT_EQ(around_replay[4], "Close dd");
  EXPECT_EQ(around_replay[5].rfind("open ", 0), 0u);
  EXPECT_EQ(around_replay.back(), "play dd");
}

TEST_F(LoopTimerTest, ADeviceClosedFromElsewhereIsStartedAgainWithin100Ms) {
  WriteFile("pend.gif", testing::SmallAnimatedGif());
  AddTrack("sound/start.mid", 60000);
  windows.At(500, [] { Form1->Timer2->SetEnabled(true); });
  windows.At(1234, [] { platform::Current().media->SendCommand("close all"); });
  windows.At(2000, [] { fw::App().Terminate(); });
  RunProgram();
  ASSERT_EQ(Plays().size(), 2u);
  EXPECT_GT(Plays()[1], 1234);
  EXPECT_LE(Plays()[1], 1334);
}

}  // namespace
}  // namespace somnara::app
