#include "support/night_run.h"

#include <X11/Xlib.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>

namespace somnara::testing {
namespace {

const char kCaption[] = "Somnara - Help you easy to get a good night's sleep";
// Client areas of the night's windows. The main window and the wizard have a skinned frame
// drawn by the program (its title bar lies inside the client area, under a thin top band);
// the focus, breathing and sleep windows are bare.
constexpr Size kMainClient{438, 260};
constexpr Size kWizardClient{491, 282};
constexpr Size kFocusSize{477, 469};
constexpr Size kBreathingSize{340, 190};
constexpr Size kSleepSize{535, 155};

// Generous bounds: CI machines are slow and busy. The focus step lasts 120 s and the
// breathing step 30 s on the program's own timers.
constexpr int kWindowMs = 30000;
constexpr int kFocusStepMs = 120000 + 40000;
constexpr int kBreathingStepMs = 30000 + 30000;

bool Framed(const TopWindow& w, Size client) {
  const int border = (w.bounds.Width() - client.width) / 2;
  const int top_band = w.bounds.Height() - client.height - border;
  return w.name == kCaption && border >= 0 && border <= 8 && top_band >= 0 && top_band <= 40;
}

bool Bare(const TopWindow& w, Size size) {
  return w.bounds.Width() == size.width && w.bounds.Height() == size.height;
}

}  // namespace

const char* NightWindowName(NightWindow w) {
  switch (w) {
    case NightWindow::kNone:
      return "none";
    case NightWindow::kMain:
      return "the main window";
    case NightWindow::kWizard:
      return "the wizard";
    case NightWindow::kFocus:
      return "the focus window";
    case NightWindow::kBreathing:
      return "the breathing window";
    case NightWindow::kSleep:
      return "the sleep window";
  }
  return "?";
}

bool NightRun::Start(const std::string& program_dir, std::string* error) {
  if (!copy_.Make(program_dir, error) || !xvfb_.Start(error) || !pulse_.Start(error) ||
      !bus_.Start(error))
    return false;
  if (!bus_.IsTheSystemBus()) {
    *error = "DBUS_SYSTEM_BUS_ADDRESS is not the private bus";
    return false;
  }
  return logind_.Start(bus_.address(), bus_.dir(), "{}", error) &&
         probe_.Open(xvfb_.display(), error);
}

void NightRun::Stop() {
  program_.Stop();
  probe_.Close();
  logind_.Stop();
  bus_.Stop();
  pulse_.Stop();
  xvfb_.Stop();
}

bool NightRun::Launch(std::string* error) {
  if (!bus_.IsTheSystemBus()) {
    *error = "DBUS_SYSTEM_BUS_ADDRESS is not the private bus";
    return false;
  }
  LaunchOptions options;
  options.display = xvfb_.display();
  options.stderr_path = copy_.stderr_path();
  // The system bus named outright as well as inherited; the session bus is the same private
  // one, so nothing the program or its libraries look for reaches the user's.
  options.environment = {pulse_.Environment(), "DBUS_SYSTEM_BUS_ADDRESS=" + bus_.address(),
                         "DBUS_SESSION_BUS_ADDRESS=" + bus_.address()};
  // In a sanitizer build the exit status also reports leaks. GLib leaves the first block of
  // its quark table behind on purpose while the loader initialises it; only that is waived
  // (allocations under _dl_init, found by the slow unwinder). Other builds ignore these.
  const std::string suppressions = bus_.dir() + "/lsan.supp";
  std::ofstream(suppressions) << "leak:_dl_init\n";
  const char* asan = std::getenv("ASAN_OPTIONS");
  const char* lsan = std::getenv("LSAN_OPTIONS");
  options.environment.push_back(std::string("ASAN_OPTIONS=") + (asan ? asan : "") +
                                ":fast_unwind_on_malloc=0:malloc_context_size=8");
  options.environment.push_back(std::string("LSAN_OPTIONS=") + (lsan ? lsan : "") +
                                ":suppressions=" + suppressions);
  if (!program_.Start({copy_.executable()}, options)) {
    *error = "cannot start " + copy_.executable();
    return false;
  }
  return true;
}

bool NightRun::WaitFor(const std::function<bool()>& done, int timeout_ms) {
  const int64_t end = MonotonicMs() + timeout_ms;
  for (;;) {
    if (done()) return true;
    if (Ended() || MonotonicMs() >= end) return false;
    SleepMs(20);
  }
}

std::optional<TopWindow> NightRun::Find(NightWindow which) {
  auto accept = [which](const TopWindow& w) {
    switch (which) {
      case NightWindow::kMain:
        return Framed(w, kMainClient);
      case NightWindow::kWizard:
        return Framed(w, kWizardClient);
      case NightWindow::kFocus:
        return Bare(w, kFocusSize);
      case NightWindow::kBreathing:
        return Bare(w, kBreathingSize);
      case NightWindow::kSleep:
        return Bare(w, kSleepSize);
      case NightWindow::kNone:
        break;
    }
    return false;
  };
  const std::vector<TopWindow> all = probe_.Windows();
  for (auto it = all.rbegin(); it != all.rend(); ++it)
    if (it->viewable && accept(*it)) return *it;
  return std::nullopt;
}

NightWindow NightRun::Showing() {
  for (NightWindow w : {NightWindow::kSleep, NightWindow::kBreathing, NightWindow::kFocus,
                        NightWindow::kWizard, NightWindow::kMain}) {
    if (Find(w)) {
      last_seen_ = w;
      return w;
    }
  }
  return NightWindow::kNone;
}

bool NightRun::Ended(int* status) {
  if (!ended_ && program_.Poll(&exit_status_)) ended_ = true;
  if (ended_ && status) *status = exit_status_;
  return ended_;
}

std::string NightRun::Note() {
  std::string note = std::string("the last window seen: ") + NightWindowName(last_seen_) + "; ";
  int status = 0;
  if (Ended(&status)) {
    note += "the program has ended (";
    if (WIFEXITED(status))
      note += "exit status " + std::to_string(WEXITSTATUS(status));
    else if (WIFSIGNALED(status))
      note += "signal " + std::to_string(WTERMSIG(status));
    note += "); ";
  }
  return note + "its standard error: " + copy_.ReadStderr();
}

bool NightRun::HasKeyboard(const TopWindow& w) {
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(probe_.display(), &focus, &revert);
  return focus != 0 && (focus == w.client || focus == w.frame);
}

bool NightRun::Keys(const std::vector<std::string>& keys, std::string* error) {
  // A pause between keys lets a busy program take each one in turn.
  std::vector<std::string> argv = {"xdotool", "key", "--delay", "80"};
  argv.insert(argv.end(), keys.begin(), keys.end());
  ChildProcess xdotool;
  int status = 0;
  if (!xdotool.Start(argv, xvfb_.display())) {
    *error = "cannot start xdotool";
  } else if (!xdotool.WaitExit(kWindowMs, &status)) {
    *error = "xdotool did not finish";
  } else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    *error = "xdotool failed";
  } else {
    return true;
  }
  *error += "; " + Note();
  return false;
}

bool NightRun::WaitForWindow(NightWindow w, int timeout_ms, std::string* error) {
  if (WaitFor([&] { return Showing() == w; }, timeout_ms)) return true;
  *error = std::string("no ") + NightWindowName(w) + " within " + std::to_string(timeout_ms) +
           " ms; " + Note();
  return false;
}

std::map<std::string, std::string> NightRun::OptionSection() const {
  return copy_.OptionSection();
}

bool NightRun::WaitForOptions(const std::map<std::string, std::string>& wanted,
                              std::string* error) {
  auto holds = [&] {
    const auto now = OptionSection();
    for (const auto& [key, value] : wanted) {
      auto it = now.find(key);
      if (it == now.end() || it->second != value) return false;
    }
    return true;
  };
  if (WaitFor(holds, kWindowMs)) return true;
  *error = "the wizard did not take the choices; option.ini holds:";
  for (const auto& [key, value] : OptionSection()) *error += " " + key + "=" + value;
  *error += "; wanted:";
  for (const auto& [key, value] : wanted) *error += " " + key + "=" + value;
  *error += "; " + Note();
  return false;
}

std::optional<int64_t> NightRun::DriveToSleepWindow(const NightChoices& choices,
                                                    std::string* error) {
  // The main window with the keyboard: Enter presses Start, its first button.
  std::optional<TopWindow> main;
  if (!WaitFor(
          [&] {
            main = Find(NightWindow::kMain);
            if (main) last_seen_ = NightWindow::kMain;
            return main && HasKeyboard(*main);
          },
          kWindowMs)) {
    *error = "no main window with the keyboard; " + Note();
    return std::nullopt;
  }
  if (!Keys({"Return"}, error)) return std::nullopt;
  std::optional<TopWindow> wizard;
  if (!WaitFor(
          [&] {
            wizard = Find(NightWindow::kWizard);
            if (wizard) last_seen_ = NightWindow::kWizard;
            return wizard && HasKeyboard(*wizard);
          },
          kWindowMs)) {
    *error = "Start did not bring the wizard with the keyboard; " + Note();
    return std::nullopt;
  }

  // OK on the introduction (focused first), then Tab to step 1's Next and Enter. On step 2
  // Tab reaches the sound list; Down moves down it; two more Tabs reach Next.
  std::vector<std::string> keys = {"Return", "Tab", "Return", "Tab"};
  for (int i = 0; i < choices.sound; ++i) keys.push_back("Down");
  for (const char* k : {"Tab", "Tab", "Return"}) keys.push_back(k);
  if (!Keys(keys, error) || !WaitForOptions({{"music", std::to_string(choices.sound)}}, error))
    return std::nullopt;

  // Step 3: the minutes field (emptied first), the fading check box (checked when the
  // wizard shows it), the end command counted down from the top of its list, then Next.
  keys = {"Tab", "End"};
  for (int i = 0; i < 6; ++i) keys.push_back("BackSpace");
  for (char c : choices.minutes) keys.push_back(std::string(1, c));
  keys.push_back("Tab");
  if (!choices.fading) keys.push_back("space");
  keys.push_back("Tab");
  keys.push_back("Prior");
  for (int i = 0; i < choices.command; ++i) keys.push_back("Down");
  keys.push_back("Tab");
  keys.push_back("Return");
  if (!Keys(keys, error) || !WaitForOptions({{"vol", choices.minutes},
                                             {"fout", choices.fading ? "1" : "0"},
                                             {"exe", std::to_string(choices.command)}},
                                            error))
    return std::nullopt;

  if (!WaitForWindow(NightWindow::kFocus, kWindowMs, error) ||
      !WaitForWindow(NightWindow::kBreathing, kFocusStepMs, error) ||
      !WaitForWindow(NightWindow::kSleep, kBreathingStepMs, error))
    return std::nullopt;
  return MonotonicMs();
}

}  // namespace somnara::testing
