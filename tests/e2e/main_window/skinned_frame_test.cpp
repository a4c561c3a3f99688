// The main window's skinned frame on the real desktop, with and without a window manager:
// no caption from the window manager but the skin's title and outline, moving the window
// by its caption, Start by its skinned face, the wizard's and the main window's close
// buttons, and the title bar's window menu from Alt+Space.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "e2e/main_window/window_at.h"
#include "skinwriter/stored_skin_pictures.h"
#include "support/child_process.h"
#include "support/program_copy.h"
#include "support/screen_probe.h"
#include "support/xvfb_server.h"

namespace somnara::testing {
namespace {

const std::string kCaption = "Somnara - Help you easy to get a good night's sleep";
constexpr int kWaitMs = 15000;
constexpr Size kMainClient{438, 260};
constexpr Size kWizardClient{491, 282};
// The frame's bands around the client area: 3 pixels on top (the title bar lies inside the
// client area), the skin's 4-pixel borders at the sides and the bottom.
constexpr int kTopBand = 3;
constexpr int kSideBand = 4;
// The skin's title pictures are 32 pixels high; their first 6 rows shape the outline.
constexpr int kTitleHeight = 32;
constexpr int kShapedRows = 6;

const skinwriter::Canvas& SkinPicture(const std::string& name) {
  static const auto pictures = skinwriter::DrawStoredSkinPictures();
  for (const auto& [n, picture] : pictures)
    if (n == name) return picture;
  throw std::runtime_error("the stored skin has no " + name);
}

uint32_t Pixel(skinwriter::Rgb c) {
  return uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b;
}

// The window's outline as the X server holds it.
class Outline {
 public:
  Outline(_XDisplay* display, unsigned long window) : rects_(WindowShape(display, window)) {}
  bool Contains(int x, int y) const {
    for (const Rect& r : rects_)
      if (r.Contains({x, y})) return true;
    return false;
  }

 private:
  std::vector<Rect> rects_;
};

// The parameter: with openbox.
class SkinnedFrameTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(copy_.Make(SOMNARA_PROGRAM_DIR, &error)) << error;
    ASSERT_TRUE(xvfb_.Start(&error)) << error;
    if (GetParam()) {
      ASSERT_TRUE(wm_.Start(xvfb_.display(), &error)) << error;
    }
    ASSERT_TRUE(probe_.Open(xvfb_.display(), &error)) << error;
    LaunchOptions options;
    options.display = xvfb_.display();
    options.stderr_path = copy_.stderr_path();
    ASSERT_TRUE(program_.Start({copy_.executable()}, options)) << "cannot start the program";
  }
  void TearDown() override {
    program_.Stop();
    const std::string said = copy_.ReadStderr();
    for (const char* report : {"Sanitizer", "runtime error:"})
      EXPECT_EQ(said.find(report), std::string::npos) << "the program reported:\n" << said;
    probe_.Close();
    wm_.Stop();
    xvfb_.Stop();
  }

  bool WaitFor(const std::function<bool()>& done) {
    const int64_t end = MonotonicMs() + kWaitMs;
    for (;;) {
      if (done()) return true;
      if (ended_ || MonotonicMs() >= end) return false;
      if (program_.Poll(&status_)) ended_ = true;
      SleepMs(20);
    }
  }
  bool WaitForEnd() {
    return WaitFor([&] { return ended_; });
  }
  std::string Note() { return "program's standard error: " + copy_.ReadStderr(); }

  // The viewable window with the main caption around a client area of this size.
  std::optional<TopWindow> Framed(Size client) {
    return probe_.Find(kCaption, [&](const TopWindow& w) {
      return w.bounds.Width() == client.width + 2 * kSideBand &&
             w.bounds.Height() == client.height + kTopBand + kSideBand;
    });
  }
  static Point InClient(const TopWindow& w, int x, int y) {
    return {w.bounds.left + kSideBand + x, w.bounds.top + kTopBand + y};
  }
  // The middle of the title bar's close button: 17 pixels square, 7 pixels down the title
  // bar, ending 6 pixels in from the window's right edge.
  static Point CloseButton(const TopWindow& w) {
    return {w.bounds.right - 6 - 17 / 2 - 1, w.bounds.top + kTopBand + 7 + 17 / 2};
  }
  bool HasKeyboard(const TopWindow& w) {
    return HasInputFocus(probe_.display(), w.client, w.frame);
  }
  void Xdotool(std::vector<std::string> args) {
    args.insert(args.begin(), "xdotool");
    ChildProcess xdotool;
    ASSERT_TRUE(xdotool.Start(args, xvfb_.display())) << "cannot start xdotool";
    int status = 0;
    ASSERT_TRUE(xdotool.WaitExit(kWaitMs, &status)) << "xdotool did not finish";
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "xdotool failed";
  }
  void Click(Point p) {
    Xdotool({"mousemove", "--sync", std::to_string(p.x), std::to_string(p.y), "click", "1"});
  }
  void ExpectEndedCleanly() {
    ASSERT_TRUE(WaitForEnd()) << "the program did not end; " << Note();
    EXPECT_TRUE(WIFEXITED(status_) && WEXITSTATUS(status_) == 0) << Note();
  }

  ProgramCopy copy_;
  XvfbServer xvfb_;
  WindowManager wm_;
  ScreenProbe probe_;
  ChildProcess program_;
  bool ended_ = false;
  int status_ = 0;
};

TEST_P(SkinnedFrameTest, SkinnedTitleAndOutlineStartAndCloseButtons) {
  std::optional<TopWindow> main;
  ASSERT_TRUE(WaitFor([&] { return (main = Framed(kMainClient)).has_value(); }))
      << "no main window with the skinned frame's size; " << Note();
  // No caption of the window manager's: its frame is the window (at most a border).
  EXPECT_LE(main->frame_bounds.Height() - main->bounds.Height(), 2);

  // The top rows show the skin's title band, right of the caption text.
  const skinwriter::Canvas& band = SkinPicture("SKIN2_TITLEBAR2");
  const int column = main->bounds.right - 40;
  auto title_mismatches = [&] {
    const ScreenImage shown =
        probe_.Grab(Rect::FromSize(column, main->bounds.top, 1, kTitleHeight));
    int n = 0;
    for (int y = 0; y < kTitleHeight; ++y)
      n += shown.At(column, main->bounds.top + y) != Pixel(band.Get(band.Width() / 2, y));
    return n;
  };
  EXPECT_TRUE(WaitFor([&] { return title_mismatches() == 0; }))
      << title_mismatches() << " title pixels differ from the skin's";

  // The outline: the title pictures' see-through corners cut out of the top rows, every
  // row below whole.
  const Outline outline(probe_.display(), main->client);
  const skinwriter::Canvas& left = SkinPicture("SKIN2_TITLEBAR1");
  const skinwriter::Canvas& right = SkinPicture("SKIN2_TITLEBAR3");
  const int width = main->bounds.Width(), height = main->bounds.Height();
  int wrong = 0;
  for (int y = 0; y < kShapedRows; ++y)
    for (int x = 0; x < width; ++x) {
      const bool cut = (x < left.Width() && left.Get(x, y) == skinwriter::kMagenta) ||
                       (x >= width - right.Width() &&
                        right.Get(x - (width - right.Width()), y) == skinwriter::kMagenta);
      wrong += outline.Contains(x, y) == cut;
    }
  for (int y : {kShapedRows, height / 2, height - 1})
    for (int x = 0; x < width; ++x) wrong += !outline.Contains(x, y);
  EXPECT_EQ(wrong, 0) << "pixels of the outline differ from the skin's";
  EXPECT_FALSE(outline.Contains(0, 0));
  EXPECT_FALSE(outline.Contains(width, height / 2));

  // Start Somnara, clicked on its skinned face: the wizard comes, the main window goes.
  Click(InClient(*main, 304 + 129 / 2, 192 + 27 / 2));
  std::optional<TopWindow> wizard;
  ASSERT_TRUE(WaitFor([&] { return (wizard = Framed(kWizardClient)).has_value(); }))
      << "Start did not bring the wizard; " << Note();
  EXPECT_TRUE(WaitFor([&] { return !Framed(kMainClient); })) << "the main window stayed";

  // The wizard's close button brings the main window back; the main window's ends the run.
  Click(CloseButton(*wizard));
  ASSERT_TRUE(WaitFor([&] { return (main = Framed(kMainClient)).has_value(); }))
      << "closing the wizard did not bring the main window back; " << Note();
  EXPECT_FALSE(Framed(kWizardClient));
  Click(CloseButton(*main));
  ExpectEndedCleanly();
}

TEST_P(SkinnedFrameTest, DraggingTheCaptionMovesTheWindow) {
  std::optional<TopWindow> main;
  ASSERT_TRUE(WaitFor([&] { return (main = Framed(kMainClient)).has_value(); })) << Note();
  // Dragging the caption moves the window with the pointer.
  const Point grab{main->bounds.left + 200, main->bounds.top + 15};
  Xdotool({"mousemove", "--sync", std::to_string(grab.x), std::to_string(grab.y), "mousedown", "1",
           "sleep", "0.3", "mousemove", "--sync", std::to_string(grab.x + 60),
           std::to_string(grab.y + 40), "sleep", "0.3", "mouseup", "1"});
  const Rect moved = main->bounds.Offset(60, 40);
  EXPECT_TRUE(WaitFor([&] {
    main = Framed(kMainClient);
    return main && main->bounds == moved;
  })) << "the window did not follow the caption to "
      << moved.left << "," << moved.top << "; it is at " << (main ? main->bounds.left : -1) << ","
      << (main ? main->bounds.top : -1) << "; " << Note();
  ASSERT_TRUE(main);
}

TEST_P(SkinnedFrameTest, AltSpaceOpensTheWindowMenuWhoseCloseItemEndsTheProgram) {
  // openbox keeps Alt+Space for its own window menu.
  if (GetParam()) GTEST_SKIP() << "the window manager takes Alt+Space";
  std::optional<TopWindow> main;
  ASSERT_TRUE(WaitFor([&] {
    main = Framed(kMainClient);
    return main && HasKeyboard(*main);
  })) << "no main window with the keyboard; "
      << Note();
  Xdotool({"key", "alt+space"});
  // The menu opens at the program's main window (the full-screen backdrop), lowered by the
  // title bar's height (the title picture less the top band).
  std::optional<Rect> menu;
  ASSERT_TRUE(WaitFor([&] {
    return (menu = ViewableWindowAt(probe_.display(), {0, kTitleHeight - kTopBand})).has_value();
  })) << "Alt+Space opened no menu; "
      << Note();
  // "关闭(&C)" by its access key, again while the program has not ended: a slow program
  // (a sanitized one) may show the menu a moment before it takes the keys.
  for (int attempt = 0; attempt < 5 && !ended_; ++attempt) {
    if (attempt > 0) Xdotool({"key", "Escape", "sleep", "0.3", "key", "alt+space", "sleep", "1"});
    Xdotool({"key", "c"});
    for (const int64_t end = MonotonicMs() + 2000; !ended_ && MonotonicMs() < end; SleepMs(20))
      if (program_.Poll(&status_)) ended_ = true;
  }
  ExpectEndedCleanly();
}

INSTANTIATE_TEST_SUITE_P(Desktop, SkinnedFrameTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "WithOpenbox" : "WithoutWindowManager";
                         });

}  // namespace
}  // namespace somnara::testing
