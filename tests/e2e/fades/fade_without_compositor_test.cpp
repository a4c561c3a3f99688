// Without a compositing manager nobody shows a window's opacity but the program: the main
// window's fade-in, screenshot at its start, middle and end, shows the backdrop, a blend of
// the two, and the window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/program_copy.h"
#include "support/screen_probe.h"
#include "support/xvfb_server.h"

namespace somnara::testing {
namespace {

const std::string kMainCaption = "Somnara - Help you easy to get a good night's sleep";
constexpr int kWaitMs = 15000;

// Mean difference per channel between two grabs of the same area.
double Difference(const ScreenImage& a, const ScreenImage& b) {
  double sum = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i)
    for (int shift = 0; shift <= 16; shift += 8)
      sum += std::abs(int((a.pixels[i] >> shift) & 0xFF) - int((b.pixels[i] >> shift) & 0xFF));
  return a.pixels.empty() ? 0 : sum / (3.0 * double(a.pixels.size()));
}

// The backdrop is its star tile repeated from the screen's corner, so what lies under a
// window is seen elsewhere on the screen, a whole number of tiles away.
ScreenImage BackdropUnder(const ScreenImage& screen, const Rect& window) {
  constexpr int kTileWidth = 290, kTileHeight = 217;
  // Clear of the window and of the backdrop's bevelled edge.
  const Rect clear = Rect::FromSize(2, 2, screen.width - 4, screen.height - 4);
  ScreenImage under;
  under.left = window.left;
  under.top = window.top;
  under.width = window.Width();
  under.height = window.Height();
  for (int y = window.top; y < window.bottom; ++y) {
    for (int x = window.left; x < window.right; ++x) {
      uint32_t pixel = 0;
      for (int dy = -2; dy <= 2 && !pixel; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
          const Point p{x + dx * kTileWidth, y + dy * kTileHeight};
          if (clear.Contains(p) && !window.Inflate(1, 1).Contains(p)) {
            pixel = screen.At(p.x, p.y) | 0x1000000;
            break;
          }
        }
      under.pixels.push_back(pixel & 0xFFFFFF);
    }
  }
  return under;
}

class FadeWithoutCompositorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(copy_.Make(SOMNARA_PROGRAM_DIR, &error)) << error;
    ASSERT_TRUE(xvfb_.Start(&error)) << error;
    ASSERT_TRUE(probe_.Open(xvfb_.display(), &error)) << error;
  }
  void TearDown() override {
    program_.Stop();
    probe_.Close();
    xvfb_.Stop();
  }
  bool WaitFor(const std::function<bool()>& done) {
    const int64_t end = MonotonicMs() + kWaitMs;
    while (!done())
      if (MonotonicMs() >= end)
        return false;
      else
        SleepMs(5);
    return true;
  }
  std::optional<TopWindow> Named(const std::string& name) {
    return probe_.Find(name, [](const TopWindow&) { return true; });
  }

  ProgramCopy copy_;
  XvfbServer xvfb_;
  ScreenProbe probe_;
  ChildProcess program_;
};

TEST_F(FadeWithoutCompositorTest, TheMainWindowFadesInOverTheBackdrop) {
  LaunchOptions options;
  options.display = xvfb_.display();
  options.stderr_path = copy_.stderr_path();
  ASSERT_TRUE(program_.Start({copy_.executable()}, options));
  std::optional<TopWindow> main;
  ASSERT_TRUE(WaitFor([&] { return (main = Named(kMainCaption)).has_value(); }))
      << copy_.ReadStderr();
  const int64_t appeared = MonotonicMs();
  const Rect area = main->bounds;
  // Start: its first 300 ms (opacity 20 at most); the least seen of the window counts, as
  // the server may show its black background for a moment before the first picture.
  std::vector<ScreenImage> starts;
  while (MonotonicMs() - appeared < 300) starts.push_back(probe_.Grab(area));
  // Middle: about 2 s in, opacity near 125 of 255.
  SleepMs(int(std::max<int64_t>(0, appeared + 2000 - MonotonicMs())));
  const ScreenImage middle_shot = probe_.Grab(area);
  // End: the fade takes about 4 s.
  SleepMs(int(std::max<int64_t>(0, appeared + 5500 - MonotonicMs())));
  const ScreenImage screen = probe_.GrabScreen();

  const ScreenImage under = BackdropUnder(screen, area);
  double start = 1e9;
  for (const ScreenImage& shot : starts) start = std::min(start, Difference(shot, under));
  const double middle = Difference(middle_shot, under);
  const double end = Difference(screen.Crop(area), under);
  ASSERT_GT(end, 20) << "the main window looks like the backdrop";
  EXPECT_LT(start / end, 0.2) << "start " << start << ", end " << end;
  EXPECT_GT(middle / end, 0.3) << "middle " << middle << ", end " << end;
  EXPECT_LT(middle / end, 0.75) << "middle " << middle << ", end " << end;
}

}  // namespace
}  // namespace somnara::testing
