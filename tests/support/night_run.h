#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/geometry.h"
#include "support/child_process.h"
#include "support/logind_mock.h"
#include "support/private_system_bus.h"
#include "support/program_copy.h"
#include "support/pulse_server.h"
#include "support/screen_probe.h"
#include "support/xvfb_server.h"

namespace somnara::testing {

// What the user picks in the wizard: the play time as typed into its minutes field, the
// sound by its place in the list, the fading check box, and the end command by its place
// in the list ("DoNothing", "StandBy", "Hibernate", "ShutDown", "ShutDown(force)").
struct NightChoices {
  std::string minutes = "2";
  int sound = 0;
  bool fading = true;
  int command = 1;
};

// The windows of a night, in the order they come.
enum class NightWindow { kNone, kMain, kWizard, kFocus, kBreathing, kSleep };
const char* NightWindowName(NightWindow w);

// The real program run from a fresh copy of its folder through a whole night, as a user
// would: on a private Xvfb, its sound going to a private sound server, its system bus a
// private one with the login manager mock on it (so nothing it asks can reach the real
// machine), keys from xdotool. Every wait is bounded; on a failure `error` says where the
// night stopped. Everything is ended when the object goes.
class NightRun {
 public:
  NightRun() = default;
  ~NightRun() { Stop(); }
  NightRun(const NightRun&) = delete;
  NightRun& operator=(const NightRun&) = delete;

  // The copy, the servers and the mock; DBUS_SYSTEM_BUS_ADDRESS of this process then names
  // the private bus.
  bool Start(const std::string& program_dir, std::string* error);
  void Stop();
  // Starts the program with the private display, sound server and bus.
  bool Launch(std::string* error);
  // From the start to the sleep window: Start, the wizard with `choices` (checked in the
  // settings file the wizard writes), the focus and the breathing steps. Gives the moment
  // (MonotonicMs) the sleep window was first seen.
  std::optional<int64_t> DriveToSleepWindow(const NightChoices& choices, std::string* error);

  // Polls every 20 ms until `done` holds. False after `timeout_ms`, or once the program
  // has ended.
  bool WaitFor(const std::function<bool()>& done, int timeout_ms);
  // The window of the night now on the screen, the latest in the night's order when more
  // than one is; kNone when none is. Remembered for Note().
  NightWindow Showing();
  std::optional<TopWindow> Find(NightWindow w);
  // True once the program has ended, with its wait status.
  bool Ended(int* status = nullptr);
  // Where the night is: the last window seen, how the program ended if it did, and what
  // it printed.
  std::string Note();

  bool Keys(const std::vector<std::string>& keys, std::string* error);
  // The section "Option" of option.ini in the program folder (empty without the file).
  std::map<std::string, std::string> OptionSection() const;

  XvfbServer& xvfb() { return xvfb_; }
  PulseServer& pulse() { return pulse_; }
  PrivateSystemBus& bus() { return bus_; }
  LogindMock& logind() { return logind_; }
  ScreenProbe& probe() { return probe_; }
  ProgramCopy& copy() { return copy_; }
  ChildProcess& program() { return program_; }

 private:
  bool HasKeyboard(const TopWindow& w);
  bool WaitForWindow(NightWindow w, int timeout_ms, std::string* error);
  bool WaitForOptions(const std::map<std::string, std::string>& wanted, std::string* error);

  XvfbServer xvfb_;
  PulseServer pulse_;
  PrivateSystemBus bus_;
  LogindMock logind_;
  ScreenProbe probe_;
  ProgramCopy copy_;
  ChildProcess program_;
  NightWindow last_seen_ = NightWindow::kNone;
  bool ended_ = false;
  int exit_status_ = 0;
};

}  // namespace somnara::testing
