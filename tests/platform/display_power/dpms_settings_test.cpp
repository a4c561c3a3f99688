#include <gtest/gtest.h>
// After gtest: Xlib's macros (None, Bool) clash with its names.
#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/linux/x11/monitor_power.h"
#include "support/child_process.h"
#include "support/xvfb_server.h"

namespace somnara::testing {
namespace {

using platform::x11::MonitorPower;

struct DpmsState {
  bool enabled = false;
  int level = -1;
  int standby = 0, suspend = 0, off = 0;
  bool operator==(const DpmsState&) const = default;
};

// What the server holds, seen over a connection of the test's own.
class DpmsSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(xvfb_.Start(&error)) << error;
    probe_ = XOpenDisplay(xvfb_.display().c_str());
    ASSERT_NE(probe_, nullptr);
    int event_base = 0, error_base = 0;
    if (!DPMSQueryExtension(probe_, &event_base, &error_base) || !DPMSCapable(probe_)) {
      GTEST_SKIP() << "this Xvfb offers no DPMS; the refusal on such a server is checked in "
                      "x11_tests";
    }
  }
  void TearDown() override {
    if (probe_) XCloseDisplay(probe_);
  }

  // The user's own settings: DPMS off, timeouts of their choice.
  void UserSettings(bool enabled) {
    DPMSSetTimeouts(probe_, 120, 240, 360);
    enabled ? DPMSEnable(probe_) : DPMSDisable(probe_);
    XSync(probe_, False);
  }
  DpmsState Now() {
    DpmsState state;
    CARD16 level = 0, standby = 0, suspend = 0, off = 0;
    BOOL enabled = False;
    DPMSInfo(probe_, &level, &enabled);
    DPMSGetTimeouts(probe_, &standby, &suspend, &off);
    state.enabled = enabled;
    state.level = enabled ? level : -1;
    state.standby = standby;
    state.suspend = suspend;
    state.off = off;
    return state;
  }
  bool WaitFor(const DpmsState& wanted, int timeout_ms = 3000) {
    const int64_t end = MonotonicMs() + timeout_ms;
    while (!(Now() == wanted)) {
      if (MonotonicMs() > end) return false;
      SleepMs(10);
    }
    return true;
  }

  XvfbServer xvfb_;
  Display* probe_ = nullptr;
  const DpmsState found_off_{false, -1, 120, 240, 360};
  const DpmsState forced_off_{true, DPMSModeOff, 120, 240, 360};
};

TEST_F(DpmsSettings, DpmsTurnedOnForTheDutyIsTurnedOffWhenItEnds) {
  UserSettings(false);
  Display* display = XOpenDisplay(xvfb_.display().c_str());
  ASSERT_NE(display, nullptr);
  {
    MonitorPower power(display, /*duty_lapse_ms=*/400);
    ASSERT_TRUE(power.Set(2));
    EXPECT_TRUE(WaitFor(forced_off_));
    // The display asked back on ends the duty.
    ASSERT_TRUE(power.Set(-1));
    EXPECT_TRUE(WaitFor(found_off_));

    // No request for longer than the duty's lapse ends it too, and a later request takes
    // the settings over afresh.
    ASSERT_TRUE(power.Set(2));
    EXPECT_TRUE(WaitFor(forced_off_));
    SleepMs(200);
    ASSERT_TRUE(power.Set(2));  // still on duty
    SleepMs(300);
    EXPECT_EQ(Now(), forced_off_);
    EXPECT_TRUE(WaitFor(found_off_));
    ASSERT_TRUE(power.Set(1));
    EXPECT_TRUE(WaitFor({true, DPMSModeStandby, 120, 240, 360}));
  }
  // The end of the program, after its display connection has gone.
  XCloseDisplay(display);
  EXPECT_TRUE(WaitFor(found_off_));
}

TEST_F(DpmsSettings, DpmsTheUserHadOnStaysOn) {
  UserSettings(true);
  Display* display = XOpenDisplay(xvfb_.display().c_str());
  ASSERT_NE(display, nullptr);
  {
    MonitorPower power(display);
    ASSERT_TRUE(power.Set(2));
    EXPECT_TRUE(WaitFor(forced_off_));
  }
  XCloseDisplay(display);
  SleepMs(100);
  EXPECT_TRUE(Now().enabled);
}

TEST_F(DpmsSettings, AProcessEndedByASignalOrAnAbortPutsThemBackFirst) {
  for (int signal_number : {SIGTERM, SIGINT, SIGHUP, SIGABRT}) {
    SCOPED_TRACE(signal_number);
    UserSettings(false);
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      close(ready[0]);
      Display* display = XOpenDisplay(xvfb_.display().c_str());
      MonitorPower power(display);
      if (display == nullptr || !power.Set(2)) _exit(3);
      XSync(display, False);
      [[maybe_unused]] ssize_t n = write(ready[1], "x", 1);
      if (signal_number == SIGABRT) std::abort();
      raise(signal_number);
      _exit(4);  // never reached: the signal ends the process
    }
    close(ready[1]);
    char byte = 0;
    EXPECT_EQ(read(ready[0], &byte, 1), 1);
    close(ready[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "status " << status;
    EXPECT_EQ(WTERMSIG(status), signal_number);
    EXPECT_EQ(Now(), found_off_);
  }
}

}  // namespace
}  // namespace somnara::testing
