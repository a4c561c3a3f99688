// A complete program folder: the star backdrop covers the screen, and a second later the
// main window opens above it.
#include <set>

#include "e2e/start_up/program_run_fixture.h"

namespace somnara::testing {
namespace {

int Brightness(uint32_t rgb) {
  return int(rgb >> 16 & 0xFF) + int(rgb >> 8 & 0xFF) + int(rgb & 0xFF);
}

// The colours seen along one line of pixels, leaving out the covered ones.
std::set<uint32_t> LineColours(const ScreenImage& s, Point from, Point step, int count,
                               const std::vector<Rect>& skip) {
  std::set<uint32_t> colours;
  for (int i = 0; i < count; ++i) {
    const Point p{from.x + step.x * i, from.y + step.y * i};
    bool covered = false;
    for (const Rect& r : skip) covered = covered || r.Contains(p);
    if (!covered) colours.insert(s.At(p.x, p.y));
  }
  return colours;
}

// Inside the backdrop's border, a lowered bevel: its top and left lines darker than its
// bottom and right lines.
void ExpectLoweredBevel(const ScreenImage& s, const Rect& b, const std::vector<Rect>& skip) {
  const int w = b.Width(), h = b.Height();
  // Corners left out: which line owns them is a matter of drawing order.
  const auto top = LineColours(s, {b.left + 2, b.top + 1}, {1, 0}, w - 4, skip);
  const auto left = LineColours(s, {b.left + 1, b.top + 2}, {0, 1}, h - 4, skip);
  const auto bottom = LineColours(s, {b.left + 2, b.bottom - 2}, {1, 0}, w - 4, skip);
  const auto right = LineColours(s, {b.right - 2, b.top + 2}, {0, 1}, h - 4, skip);
  ASSERT_EQ(top.size(), 1u) << "the bevel's top line is not one colour";
  ASSERT_EQ(bottom.size(), 1u) << "the bevel's bottom line is not one colour";
  EXPECT_EQ(left, top);
  EXPECT_EQ(right, bottom);
  EXPECT_NE(*top.begin(), 0x000000u) << "the bevel cannot be seen on black";
  EXPECT_LT(Brightness(*top.begin()), Brightness(*bottom.begin()))
      << "a lowered bevel is dark at the top left and light at the bottom right";
}

}  // namespace

class StartUpTest : public ProgramRunTest {
 protected:
  // Waits until the backdrop shows the star tile and checks its edge on that screenshot.
  void ExpectBackdropWithStars() {
    std::optional<TopWindow> backdrop;
    ScreenImage screen;
    Comparison tile;
    const bool shown = WaitFor([&] {
      backdrop = Backdrop();
      if (!backdrop) return false;
      screen = probe_.GrabScreen();
      tile = CompareBackdropWithTile(*backdrop, screen);
      return tile.Matches();
    });
    ASSERT_TRUE(backdrop.has_value()) << "no full-screen window named \"Somnara\". " << ExitNote();
    ASSERT_TRUE(shown) << "the backdrop does not show the star tile: " << tile.Describe();
    ExpectBorderShowsBackground(screen, backdrop->bounds, CoveredAbove(*backdrop));
    ExpectLoweredBevel(screen, backdrop->bounds, CoveredAbove(*backdrop));
  }

  // The 1-pixel border around the client is painted with the window's background: plain
  // black (its colour), or the star tile, repeated from the window's corner or from the
  // client's. Left unpainted it would draw a line around the screen.
  void ExpectBorderShowsBackground(const ScreenImage& s, const Rect& b,
                                   const std::vector<Rect>& skip) {
    const std::vector<Rect> ring = {{b.left, b.top, b.right, b.top + 1},
                                    {b.left, b.bottom - 1, b.right, b.bottom},
                                    {b.left, b.top + 1, b.left + 1, b.bottom - 1},
                                    {b.right - 1, b.top + 1, b.right, b.bottom - 1}};
    ScreenImage black;
    black.width = black.height = 1;
    black.pixels = {0x000000};
    const std::vector<std::pair<const ScreenImage*, Point>> backgrounds = {
        {&black, {0, 0}}, {&tile_, {b.left, b.top}}, {&tile_, {b.left + 1, b.top + 1}}};
    std::string seen;
    for (const auto& [picture, origin] : backgrounds) {
      Comparison all;
      for (const Rect& line : ring) all.Add(CompareWithTile(s, line, *picture, origin, skip));
      if (all.Matches()) return;
      seen += "\n  " + all.Describe();
    }
    ADD_FAILURE() << "the backdrop's border is neither black nor the star tile:" << seen;
  }

  // The main window opens no sooner than a second after start, above the backdrop,
  // owned by it, and stays above it while the backdrop's clock ticks on.
  void ExpectMainWindowAboveBackdrop() {
    std::optional<TopWindow> backdrop, main;
    ASSERT_TRUE(WaitFor([&] { return (backdrop = Backdrop()).has_value(); })) << ExitNote();
    ASSERT_TRUE(WaitFor([&] { return (main = MainWindow()).has_value(); }))
        << "the main window did not open. " << ExitNote();
    EXPECT_GE(SinceLaunchMs(), 1000) << "the main window opened before its second was up";
    EXPECT_EQ(main->transient_for, backdrop->client) << "the backdrop owns the main window";
    EXPECT_EQ(main->bounds.Intersect(ScreenRect()), main->bounds) << "main window off screen";

    for (int look = 0; look < 2; ++look) {
      backdrop = Again(*backdrop);
      main = Again(*main);
      ASSERT_TRUE(backdrop && main);
      EXPECT_TRUE(backdrop->viewable && main->viewable);
      EXPECT_GT(main->stack, backdrop->stack) << "the main window lies below the backdrop";
      if (look == 0) SleepMs(1500);  // a clock tick or more of the backdrop
    }
  }
};

TEST_F(StartUpTest, BackdropCoversTheScreenWithTheStarTile) {
  Launch();
  ExpectBackdropWithStars();
}

TEST_F(StartUpTest, MainWindowOpensAboveTheBackdropAfterASecond) {
  Launch();
  ExpectMainWindowAboveBackdrop();
  // With the main window up, what is left of the backdrop still shows the stars.
  ExpectBackdropWithStars();
}

class StartUpWithWmTest : public StartUpTest {
 protected:
  bool WithWindowManager() const override { return true; }
};

TEST_F(StartUpWithWmTest, BackdropAndMainWindowUnderAWindowManager) {
  Launch();
  ExpectBackdropWithStars();
  ExpectMainWindowAboveBackdrop();
}

}  // namespace somnara::testing
