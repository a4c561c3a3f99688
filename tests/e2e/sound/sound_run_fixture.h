#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/geometry.h"
#include "support/child_process.h"
#include "support/program_copy.h"
#include "support/pulse_server.h"
#include "support/screen_probe.h"
#include "support/sound_recorder.h"
#include "support/xvfb_server.h"

namespace somnara::testing {

// Every wait is bounded; generously, because CI machines are slow and busy.
inline constexpr int kWaitMs = 15000;
// RMS of a 50 ms block above which something is heard, and below which it is silence
// (about -66 dB of full scale).
inline constexpr double kSoundThreshold = 0.002;
inline constexpr double kSilenceThreshold = 0.0005;

// The program run from a fresh copy of its folder on a private Xvfb, its sound going to a
// private sound server whose output is recorded from before the program starts. Keys and
// clicks come from xdotool. Everything is ended after each test.
class SoundRunTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the copied program with the private display and sound server.
  void Launch();
  // Polls every 20 ms until `done` holds. False after `timeout_ms`, or once the program
  // has ended.
  bool WaitFor(const std::function<bool()>& done, int timeout_ms = kWaitMs);
  // How the program ended, if it did, and what it said: for failure messages.
  std::string Note();

  // The viewable window with this caption whose frame holds a client area of this size.
  std::optional<TopWindow> WindowWithClient(const std::string& caption, Size client);
  // Where that client area starts on the screen (the skinned frame is drawn by the program:
  // a border on every side, the bottom's as wide as the sides', and a band on top).
  static Point ClientOrigin(const TopWindow& w, Size client);
  // Does the X server give the keyboard to this window?
  bool HasKeyboard(const TopWindow& w);
  // Keys by their X names ("Tab", "Return", "Right", "4"), one after the other.
  void Keys(const std::vector<std::string>& keys);
  void Click(Point p);
  // Presses the left button at `from`, moves to `to` with the button held, and lets go.
  void Drag(Point from, Point to);
  // The section "Option" of option.ini in the program folder (empty without the file).
  std::map<std::string, std::string> OptionSection();

  XvfbServer xvfb_;
  PulseServer pulse_;
  SoundRecorder recorder_;
  ScreenProbe probe_;
  ProgramCopy copy_;
  ChildProcess program_;
  bool ended_ = false;
  int exit_status_ = 0;
};

}  // namespace somnara::testing
