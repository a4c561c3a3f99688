#include "platform/linux/x11/monitor_power.h"

#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <mutex>
#include <thread>

namespace somnara::platform::x11 {
namespace {

// The ways a process ends that still run code of ours, other than leaving main.
constexpr int kGuardedSignals[] = {SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGABRT};
// How long a signal handler waits for the settings to be back before the process ends.
constexpr int kPutBackWaitMs = 2000;
constexpr unsigned char kStop = 0;

int64_t MonotonicMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return int64_t(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

// The keeper that guards the signals; a process has at most one.
std::atomic<int> g_signal_write_fd{-1};
std::atomic<int> g_done_read_fd{-1};

// Only async-signal-safe calls: the keeper's thread does the X work and says when it is done.
void OnEndingSignal(int signal_number) {
  const int saved_errno = errno;
  const int request = g_signal_write_fd.load();
  const int done = g_done_read_fd.load();
  auto byte = static_cast<unsigned char>(signal_number);
  if (request >= 0 && done >= 0 && write(request, &byte, 1) == 1) {
    pollfd answer{done, POLLIN, 0};
    if (poll(&answer, 1, kPutBackWaitMs) > 0) {
      [[maybe_unused]] ssize_t n = read(done, &byte, 1);
    }
  }
  errno = saved_errno;
  // SA_RESETHAND restored the default action; the signal is blocked until we return and
  // then ends the process as it would have without us.
  raise(signal_number);
}

}  // namespace

// Holds the server's DPMS settings as found and puts them back over a connection of its
// own, so that it still can when the window system's connection is gone or busy, and from
// a thread of its own, so that a signal can have it done.
class MonitorPower::Keeper {
 public:
  static std::unique_ptr<Keeper> Take(Display* display, int64_t duty_lapse_ms) {
    Display* own = XOpenDisplay(DisplayString(display));
    if (own == nullptr) return nullptr;
    std::unique_ptr<Keeper> keeper(new Keeper(own, duty_lapse_ms));
    if (!keeper->Start()) return nullptr;
    return keeper;
  }

  ~Keeper() {
    PutBack();
    ReleaseSignals();
    if (thread_.joinable()) {
      [[maybe_unused]] ssize_t n = write(wake_[1], &kStop, 1);
      thread_.join();
    }
    for (int fd : {wake_[0], wake_[1], done_[0], done_[1]})
      if (fd >= 0) close(fd);
    XCloseDisplay(own_);
  }

  // Another display-off request: the duty goes on. False when the settings were put back
  // already, after which they must be taken afresh.
  bool Extend() {
    std::lock_guard lock(mutex_);
    if (put_back_) return false;
    last_duty_ms_ = MonotonicMs();
    return true;
  }

 private:
  Keeper(Display* own, int64_t duty_lapse_ms)
      : own_(own), duty_lapse_ms_(duty_lapse_ms), last_duty_ms_(MonotonicMs()) {
    CARD16 level = 0;
    DPMSInfo(own_, &level, &was_enabled_);
    DPMSGetTimeouts(own_, &standby_, &suspend_, &off_);
  }

  bool Start() {
    if (pipe2(wake_, O_CLOEXEC) != 0 || pipe2(done_, O_CLOEXEC) != 0) return false;
    thread_ = std::thread([this] { Run(); });
    GuardSignals();
    return true;
  }

  void Run() {
    // Signals are for the other threads: their handlers wait for this one.
    sigset_t all;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, nullptr);
    for (;;) {
      int timeout = -1;
      {
        std::lock_guard lock(mutex_);
        if (!put_back_) {
          timeout = int(std::clamp<int64_t>(last_duty_ms_ + duty_lapse_ms_ - MonotonicMs(), 0,
                                            duty_lapse_ms_));
        }
      }
      pollfd request{wake_[0], POLLIN, 0};
      int ready = poll(&request, 1, timeout);
      if (ready < 0 && errno == EINTR) continue;
      if (ready < 0) return;
      if (ready == 0) {
        PutBackIfLapsed();
        continue;
      }
      unsigned char byte = kStop;
      if (read(wake_[0], &byte, 1) != 1 || byte == kStop) return;
      PutBack();
      [[maybe_unused]] ssize_t n = write(done_[1], &byte, 1);
    }
  }

  void PutBackIfLapsed() {
    {
      std::lock_guard lock(mutex_);
      if (MonotonicMs() < last_duty_ms_ + duty_lapse_ms_) return;
    }
    PutBack();
  }

  void PutBack() {
    std::lock_guard lock(mutex_);
    if (put_back_) return;
    put_back_ = true;
    CARD16 standby = 0, suspend = 0, off = 0;
    DPMSGetTimeouts(own_, &standby, &suspend, &off);
    if (standby != standby_ || suspend != suspend_ || off != off_)
      DPMSSetTimeouts(own_, standby_, suspend_, off_);
    if (!was_enabled_) DPMSDisable(own_);
    XSync(own_, False);
  }

  void GuardSignals() {
    int expected = -1;
    if (!g_signal_write_fd.compare_exchange_strong(expected, wake_[1])) return;
    g_done_read_fd = done_[0];
    guards_signals_ = true;
    for (size_t i = 0; i < std::size(kGuardedSignals); ++i) {
      struct sigaction current {};
      installed_[i] = false;
      // A disposition the program chose itself (ignored, or a handler of its own) stays.
      if (sigaction(kGuardedSignals[i], nullptr, &current) != 0 || current.sa_handler != SIG_DFL ||
          (current.sa_flags & SA_SIGINFO) != 0) {
        continue;
      }
      struct sigaction ours {};
      ours.sa_handler = OnEndingSignal;
      sigemptyset(&ours.sa_mask);
      ours.sa_flags = SA_RESETHAND;
      installed_[i] = sigaction(kGuardedSignals[i], &ours, nullptr) == 0;
    }
  }

  void ReleaseSignals() {
    if (!guards_signals_) return;
    for (size_t i = 0; i < std::size(kGuardedSignals); ++i) {
      if (!installed_[i]) continue;
      struct sigaction current {};
      sigaction(kGuardedSignals[i], nullptr, &current);
      if (current.sa_handler == OnEndingSignal) signal(kGuardedSignals[i], SIG_DFL);
    }
    g_done_read_fd = -1;
    g_signal_write_fd = -1;
    guards_signals_ = false;
  }

  Display* own_;
  const int64_t duty_lapse_ms_;
  std::mutex mutex_;
  int64_t last_duty_ms_;
  bool put_back_ = false;
  BOOL was_enabled_ = False;
  CARD16 standby_ = 0, suspend_ = 0, off_ = 0;
  int wake_[2] = {-1, -1};
  int done_[2] = {-1, -1};
  std::thread thread_;
  bool guards_signals_ = false;
  bool installed_[std::size(kGuardedSignals)] = {};
};

MonitorPower::MonitorPower(_XDisplay* display, int64_t duty_lapse_ms)
    : display_(display), duty_lapse_ms_(duty_lapse_ms) {}

MonitorPower::~MonitorPower() = default;

bool MonitorPower::Supported() const {
  int event_base = 0;
  int error_base = 0;
  return DPMSQueryExtension(display_, &event_base, &error_base) && DPMSCapable(display_);
}

bool MonitorPower::DisplayOn() const {
  if (!Supported()) return true;
  CARD16 level = DPMSModeOn;
  BOOL enabled = False;
  DPMSInfo(display_, &level, &enabled);
  return !enabled || level == DPMSModeOn;
}

bool MonitorPower::Set(int state) {
  if (state != -1 && state != 1 && state != 2) return false;
  if (!Supported()) {
    if (state != -1 && !said_unsupported_) {
      said_unsupported_ = true;
      std::fprintf(stderr,
                   "somnara: the display cannot be switched off: the X server \"%s\" has no "
                   "display power control\n",
                   DisplayString(display_));
    }
    return false;
  }
  if (state == -1) {
    DPMSForceLevel(display_, DPMSModeOn);
    XSync(display_, False);
    keeper_.reset();  // the duty is over
    return true;
  }
  if (keeper_ && !keeper_->Extend()) keeper_.reset();
  CARD16 level = 0;
  BOOL enabled = False;
  DPMSInfo(display_, &level, &enabled);
  if (!enabled) {
    // Forcing a level needs DPMS enabled; never without the means to turn it off again.
    if (!keeper_) keeper_ = Keeper::Take(display_, duty_lapse_ms_);
    if (!keeper_) return false;
    DPMSEnable(display_);
  }
  DPMSForceLevel(display_, state == 2 ? DPMSModeOff : DPMSModeStandby);
  XFlush(display_);
  return true;
}

}  // namespace somnara::platform::x11
