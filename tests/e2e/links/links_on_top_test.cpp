// A page opened from the main window's menu must show: the stand-in opener first on the PATH
// opens a real X window (xmessage) as a browser would, and openbox gives it the focus. It
// comes up above the always-on-top backdrop; a click on the main window brings the program
// back above it.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <fstream>
#include <functional>
#include <optional>
#include <string>

#include "e2e/main_window/window_at.h"
#include "support/child_process.h"
#include "support/program_copy.h"
#include "support/screen_probe.h"
#include "support/xvfb_server.h"

namespace somnara::testing {
namespace {

const std::string kMainCaption = "Somnara - Help you easy to get a good night's sleep";
const std::string kPageTitle = "Help page stand-in";
constexpr int kWaitMs = 15000;
// The main window's menu: six items and four separators inside a 3-pixel frame.
constexpr int kMenuFrame = 3;
constexpr int kSeparatorHeight = 9;
constexpr int kMenuItems = 6;
constexpr int kMenuSeparators = 4;

class LinksOnTopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(copy_.Make(SOMNARA_PROGRAM_DIR, &error)) << error;
    ASSERT_TRUE(xvfb_.Start(&error)) << error;
    ASSERT_TRUE(wm_.Start(xvfb_.display(), &error)) << error;
    ASSERT_TRUE(probe_.Open(xvfb_.display(), &error)) << error;
    openers_ = copy_.dir() + "/../openers";
    mkdir(openers_.c_str(), 0755);
    // The window outlives the opener, as a browser's does; it goes with the X server.
    const std::string opener = openers_ + "/xdg-open";
    std::ofstream(opener) << "#!/bin/sh\nxmessage -title '" << kPageTitle
                          << "' \"$1\" >/dev/null 2>&1 &\nexit 0\n";
    chmod(opener.c_str(), 0755);
  }
  void TearDown() override {
    program_.Stop();
    probe_.Close();
    wm_.Stop();
    xvfb_.Stop();
  }

  bool WaitFor(const std::function<bool()>& done) {
    const int64_t end = MonotonicMs() + kWaitMs;
    for (;;) {
      if (done()) return true;
      if (MonotonicMs() >= end) return false;
      SleepMs(20);
    }
  }
  std::optional<TopWindow> Named(const std::string& name) {
    return probe_.Find(name, [](const TopWindow&) { return true; });
  }
  // Stacking places of the backdrop, the main window and the page (bottom = 0).
  struct Places {
    int backdrop = -1, main = -1, page = -1;
  };
  // From one look at the server, so a restacking under way is not half seen.
  Places Stacking() {
    Places p;
    for (const TopWindow& w : probe_.Windows()) {
      if (!w.viewable) continue;
      if (w.name == "Somnara") p.backdrop = w.stack;
      if (w.name == kMainCaption) p.main = w.stack;
      if (w.name == kPageTitle) p.page = w.stack;
    }
    return p;
  }
  void Click(Point p) {
    ChildProcess xdotool;
    ASSERT_TRUE(xdotool.Start(
        {"xdotool", "mousemove", "--sync", std::to_string(p.x), std::to_string(p.y), "click", "1"},
        xvfb_.display()));
    int status = 0;
    ASSERT_TRUE(xdotool.WaitExit(kWaitMs, &status));
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "xdotool failed";
  }
  static Point ClientOrigin(const TopWindow& w) {
    const int border = (w.bounds.Width() - 438) / 2;
    return {w.bounds.left + border, w.bounds.top + w.bounds.Height() - 260 - border};
  }

  ProgramCopy copy_;
  XvfbServer xvfb_;
  WindowManager wm_;
  ScreenProbe probe_;
  ChildProcess program_;
  std::string openers_;
};

TEST_F(LinksOnTopTest, APageOpenedFromTheMenuShowsAndAClickBringsTheProgramBack) {
  LaunchOptions options;
  options.display = xvfb_.display();
  options.stderr_path = copy_.stderr_path();
  const char* path = getenv("PATH");
  options.environment = {"PATH=" + openers_ + ":" + (path ? path : "/usr/bin:/bin")};
  ASSERT_TRUE(program_.Start({copy_.executable()}, options));
  std::optional<TopWindow> main;
  ASSERT_TRUE(WaitFor([&] { return (main = Named(kMainCaption)).has_value(); }))
      << copy_.ReadStderr();
  const Point client = ClientOrigin(*main);

  // Menu, Help Contents.
  Click({client.x + 304 + 64, client.y + 224 + 13});
  std::optional<Rect> menu;
  ASSERT_TRUE(WaitFor([&] {
    return (menu = ViewableWindowAt(probe_.display(), {client.x + 304, client.y + 224 + 27}))
        .has_value();
  })) << "no menu";
  const int item_height =
      (menu->Height() - 2 * kMenuFrame - kMenuSeparators * kSeparatorHeight) / kMenuItems;
  Click({menu->left + menu->Width() / 2,
         menu->top + kMenuFrame + item_height + kSeparatorHeight + item_height / 2});

  Places p;
  EXPECT_TRUE(WaitFor([&] {
    p = Stacking();
    return p.page >= 0 && p.page > p.backdrop && p.page > p.main;
  })) << "the page stands at "
      << p.page << ", below the backdrop (" << p.backdrop << ") or the main window (" << p.main
      << ")";
  EXPECT_GE(p.backdrop, 0);
  EXPECT_GT(p.main, p.backdrop);

  // A click on the main window (on its figure) brings the program back on top.
  Click({client.x + 315 + 50, client.y + 32 + 70});
  EXPECT_TRUE(WaitFor([&] {
    p = Stacking();
    return p.page >= 0 && p.backdrop > p.page && p.main > p.backdrop;
  })) << "page "
      << p.page << ", backdrop " << p.backdrop << ", main window " << p.main;
}

}  // namespace
}  // namespace somnara::testing
