#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace somnara::testing {

// How a child starts: its display (empty keeps ours, unless `unset_display`), the one
// extra descriptor it inherits (for -displayfd), the files that take its standard error
// and output (empty discards them), and variables set ("NAME=VALUE") or, without a value
// ("NAME"), removed in its environment only.
struct LaunchOptions {
  std::string display;
  bool unset_display = false;
  int keep_fd = -1;
  std::string stderr_path;
  std::string stdout_path;
  std::vector<std::string> environment;
};

// A program run by a test: always ended and reaped (bounded waits) when the object goes,
// and ended with the test process too if that dies first.
class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess() { Stop(); }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Start(const std::vector<std::string>& argv, const LaunchOptions& options);
  bool Start(const std::vector<std::string>& argv, const std::string& display, int keep_fd = -1) {
    LaunchOptions options;
    options.display = display;
    options.keep_fd = keep_fd;
    return Start(argv, options);
  }
  // True once the process has ended; *status gets its wait status.
  bool Poll(int* status = nullptr);
  bool WaitExit(int timeout_ms, int* status = nullptr);
  // SIGTERM, then SIGKILL after a short grace period.
  void Stop();
  bool running() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }

 private:
  pid_t pid_ = -1;
};

// Milliseconds of a monotonic clock, and a sleep on it.
int64_t MonotonicMs();
void SleepMs(int ms);

}  // namespace somnara::testing
