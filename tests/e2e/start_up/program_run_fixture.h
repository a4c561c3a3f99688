#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/program_copy.h"
#include "support/screen_image.h"
#include "support/screen_probe.h"
#include "support/xvfb_server.h"

namespace somnara::testing {

inline const std::string kTitle = "Somnara";
inline const std::string kMainCaption = "Somnara - Help you easy to get a good night's sleep";
// Every wait is bounded; this one is generous because CI machines are slow and busy.
inline constexpr int kWaitMs = 15000;

// The program run from a fresh copy of its folder on a private Xvfb (with openbox when
// WithWindowManager() says so). It is ended, and the copy removed, after each test.
class ProgramRunTest : public ::testing::Test {
 protected:
  virtual bool WithWindowManager() const { return false; }
  void SetUp() override;
  void TearDown() override;

  // Starts the copied program on the private display; its standard error goes to a file.
  void Launch();
  int64_t SinceLaunchMs() const { return MonotonicMs() - launched_ms_; }
  // Polls every 10 ms until `done` holds. False after `timeout_ms`, or as soon as the
  // program has ended.
  bool WaitFor(const std::function<bool()>& done, int timeout_ms = kWaitMs);
  // How the program ended and what it said, for failure messages; empty while it runs.
  std::string ExitNote();

  // The viewable window named "Somnara" that covers the whole screen.
  std::optional<TopWindow> Backdrop();
  std::optional<TopWindow> MainWindow();
  // A viewable window named "Somnara" that is not the full-screen one.
  std::optional<TopWindow> ErrorBox();
  // The same window as `w`, as the server holds it now.
  std::optional<TopWindow> Again(const TopWindow& w);

  // Does the backdrop's inside show the star tile, repeated from the client's corner?
  // The 1-pixel border and the bevel along it, and whatever of ours lies above the
  // backdrop, are left out.
  Comparison CompareBackdropWithTile(const TopWindow& backdrop, const ScreenImage& screen);
  // The screen parts covered by viewable windows stacked above `w`.
  std::vector<Rect> CoveredAbove(const TopWindow& w);
  Rect ScreenRect() const { return Rect::FromSize(0, 0, XvfbServer::kWidth, XvfbServer::kHeight); }

  XvfbServer xvfb_;
  WindowManager wm_;
  ScreenProbe probe_;
  ProgramCopy copy_;
  ChildProcess program_;
  ScreenImage tile_;
  int64_t launched_ms_ = 0;
  bool ended_ = false;
  int exit_status_ = 0;
};

class ProgramRunWithWmTest : public ProgramRunTest {
 protected:
  bool WithWindowManager() const override { return true; }
};

}  // namespace somnara::testing
