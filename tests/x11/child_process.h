#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace somnara::testing {

// A helper program run by a test: started with an optional DISPLAY, its output
// discarded, always ended and reaped (bounded waits) when the object goes.
class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess() { Stop(); }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // `keep_fd` stays open in the child (for -displayfd); -1 for none.
  bool Start(const std::vector<std::string>& argv, const std::string& display, int keep_fd = -1);
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

}  // namespace somnara::testing
