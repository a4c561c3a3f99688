// The main window of the real program on a private Xvfb without a window manager: xdotool
// clicks, a second X connection looks, and stand-in desktop openers placed first on the PATH
// record what the program asks of them (nothing real is ever opened).
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "e2e/main_window/window_at.h"
#include "support/child_process.h"
#include "support/program_copy.h"
#include "support/screen_probe.h"
#include "support/xvfb_server.h"

namespace somnara::testing {
namespace {

const std::string kMainCaption = "Somnara - Help you easy to get a good night's sleep";
const std::string kAboutCaption = "Welcome to Somnara";
// Bounded, but generous: CI machines are slow and busy.
constexpr int kWaitMs = 15000;
// The main window's menu: six items and four separators inside a 3-pixel frame.
constexpr int kMenuFrame = 3;
constexpr int kSeparatorHeight = 9;
constexpr int kMenuItems = 6;
constexpr int kMenuSeparators = 4;

// Changes a variable of our environment (which a child started meanwhile inherits) and puts
// it back when it goes.
class EnvironmentOverride {
 public:
  EnvironmentOverride(const char* name, const std::string& value, bool append) : name_(name) {
    const char* old = getenv(name);
    had_ = old != nullptr;
    if (had_) old_ = old;
    const std::string next = append && had_ && !old_.empty()               ? old_ + value
                             : append && !value.empty() && value[0] == ':' ? value.substr(1)
                                                                           : value;
    setenv(name, next.c_str(), 1);
  }
  ~EnvironmentOverride() {
    if (had_)
      setenv(name_, old_.c_str(), 1);
    else
      unsetenv(name_);
  }
  EnvironmentOverride(const EnvironmentOverride&) = delete;
  EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;

 private:
  const char* name_;
  bool had_ = false;
  std::string old_;
};

class MainWindowRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(copy_.Make(SOMNARA_PROGRAM_DIR, &error)) << error;
    ASSERT_TRUE(xvfb_.Start(&error)) << error;
    ASSERT_TRUE(probe_.Open(xvfb_.display(), &error)) << error;
    // Stand-in openers first on the PATH the program inherits.
    openers_ = copy_.dir() + "/../openers";
    mkdir(openers_.c_str(), 0755);
    record_ = openers_ + "/record";
    for (const char* name : {"xdg-open", "gio"}) {
      std::string path = openers_ + "/" + name;
      std::ofstream(path) << "#!/bin/sh\n{ echo " << name << "; echo \"$#\"; for a in \"$@\"; do "
                          << "printf '%s\\n' \"$a\"; done; } >> '" << record_ << "'\nexit 0\n";
      chmod(path.c_str(), 0755);
    }
    const char* path = getenv("PATH");
    path_ = std::make_unique<EnvironmentOverride>(
        "PATH", openers_ + ":" + (path ? path : "/usr/bin:/bin"), false);
  }
  void TearDown() override {
    path_.reset();
    program_.Stop();
    probe_.Close();
    xvfb_.Stop();
  }

  void Launch() {
    LaunchOptions options;
    options.display = xvfb_.display();
    options.stderr_path = copy_.stderr_path();
    // In a sanitizer build the program's exit status also reports leaks. GLib leaves the first
    // block of its quark table behind on purpose while the loader initialises it; only that
    // is waived (allocations under _dl_init, found by the slow unwinder).
    const std::string suppressions = openers_ + "/lsan.supp";
    std::ofstream(suppressions) << "leak:_dl_init\n";
    const EnvironmentOverride asan("ASAN_OPTIONS", ":fast_unwind_on_malloc=0:malloc_context_size=8",
                                   true);
    const EnvironmentOverride lsan("LSAN_OPTIONS", ":suppressions=" + suppressions, true);
    launched_ms_ = MonotonicMs();
    ASSERT_TRUE(program_.Start({copy_.executable()}, options)) << "cannot start the program";
  }
  // Polls until `done` holds; false after `timeout_ms` or once the program has ended.
  bool WaitFor(const std::function<bool()>& done, int timeout_ms = kWaitMs) {
    const int64_t end = MonotonicMs() + timeout_ms;
    for (;;) {
      if (done()) return true;
      if (!ended_ && program_.Poll(&exit_status_)) ended_ = true;
      if (ended_ || MonotonicMs() >= end) return false;
      SleepMs(10);
    }
  }
  std::string Note() { return "program's standard error: " + copy_.ReadStderr(); }

  std::optional<TopWindow> Named(const std::string& name) {
    return probe_.Find(name, [](const TopWindow&) { return true; });
  }
  // The client area's top-left corner of a window whose skinned frame the program draws
  // itself (the bottom border as wide as the sides', a band on top; the title bar lies in
  // the client area).
  static Point ClientOrigin(const TopWindow& w, int client_width, int client_height) {
    const int border = (w.bounds.Width() - client_width) / 2;
    return {w.bounds.left + border, w.bounds.top + w.bounds.Height() - client_height - border};
  }
  // The dropped menu: a viewable top-level window with its top-left corner at `corner`.
  std::optional<Rect> WindowAt(Point corner) { return ViewableWindowAt(probe_.display(), corner); }
  void Click(Point p) {
    ChildProcess xdotool;
    ASSERT_TRUE(xdotool.Start(
        {"xdotool", "mousemove", "--sync", std::to_string(p.x), std::to_string(p.y), "click", "1"},
        xvfb_.display()));
    int status = 0;
    ASSERT_TRUE(xdotool.WaitExit(kWaitMs, &status)) << "xdotool did not finish";
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "xdotool failed";
  }
  // Clicks the Menu button, waits for the menu and clicks the item with `items_above` items
  // and `separators_above` separators above it.
  void ChooseMenuItem(int items_above, int separators_above) {
    auto main = Named(kMainCaption);
    ASSERT_TRUE(main) << Note();
    const Point client = ClientOrigin(*main, 438, 260);
    Click({client.x + 304 + 64, client.y + 224 + 13});
    const Point corner{client.x + 304, client.y + 224 + 27};  // the button's bottom-left
    std::optional<Rect> menu;
    ASSERT_TRUE(WaitFor([&] { return (menu = WindowAt(corner)).has_value(); }))
        << "no menu dropped from the Menu button's bottom-left corner; " << Note();
    const int item_height =
        (menu->Height() - 2 * kMenuFrame - kMenuSeparators * kSeparatorHeight) / kMenuItems;
    const int top =
        menu->top + kMenuFrame + items_above * item_height + separators_above * kSeparatorHeight;
    Click({menu->left + menu->Width() / 2, top + item_height / 2});
  }
  std::string Record() {
    std::ifstream in(record_);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  ProgramCopy copy_;
  XvfbServer xvfb_;
  ScreenProbe probe_;
  ChildProcess program_;
  std::string openers_;
  std::string record_;
  std::unique_ptr<EnvironmentOverride> path_;
  int64_t launched_ms_ = 0;
  bool ended_ = false;
  int exit_status_ = 0;
};

TEST_F(MainWindowRunTest, MenuAboutHelpAndExitOnTheRealDesktop) {
  Launch();
  int64_t backdrop_ms = 0, main_ms = 0;
  ASSERT_TRUE(WaitFor([&] { return Named("Somnara").has_value(); })) << Note();
  backdrop_ms = MonotonicMs();
  ASSERT_TRUE(WaitFor([&] { return Named(kMainCaption).has_value(); })) << Note();
  main_ms = MonotonicMs();
  // The backdrop's one-second start-up timer brings the main window.
  EXPECT_GE(main_ms - launched_ms_, 900);
  EXPECT_LT(main_ms - backdrop_ms, 4000);

  // Menu, About...: the about window at its designed place; OK closes it.
  ChooseMenuItem(3, 2);
  std::optional<TopWindow> about;
  ASSERT_TRUE(WaitFor([&] { return (about = Named(kAboutCaption)).has_value(); })) << Note();
  EXPECT_EQ(about->bounds.left, 388);
  EXPECT_EQ(about->bounds.top, 107);
  const Point about_client = ClientOrigin(*about, 359, 333);
  Click({about_client.x + 280 + 35, about_client.y + 296 + 12});
  EXPECT_TRUE(WaitFor([&] { return !Named(kAboutCaption).has_value(); }))
      << "OK did not close the about window; " << Note();
  EXPECT_TRUE(Named(kMainCaption).has_value());

  // Menu, Help Contents: the default opener gets the help page's path, and accepts it, so
  // the URL handler is never asked.
  ChooseMenuItem(1, 1);
  const std::string expected = "xdg-open\n1\n" + copy_.dir() + "/help/help.html\n";
  EXPECT_TRUE(WaitFor([&] { return Record().size() >= expected.size(); })) << Note();
  SleepMs(200);
  EXPECT_EQ(Record(), expected);

  // Menu, Exit: the program ends at once, and cleanly.
  ChooseMenuItem(5, 4);
  int status = 0;
  ASSERT_TRUE(program_.WaitExit(kWaitMs, &status)) << "Exit did not end the program";
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << Note();
}

}  // namespace
}  // namespace somnara::testing
