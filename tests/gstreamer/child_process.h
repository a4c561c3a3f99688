#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace somnara::testing {

// A program the test starts and always ends again, by its own process id.
class ChildProcess {
 public:
  // Starts argv[0] (looked up in PATH) with extra "NAME=value" entries added to the
  // environment, its output going to output_file (or /dev/null when empty).
  ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& extra_env,
               const std::string& output_file = "");
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return pid_ > 0; }
  pid_t Pid() const { return pid_; }
  // Asks it to end, waits at most timeout_ms, then kills it. Returns false when it had
  // to be killed.
  bool Stop(int timeout_ms = 3000);

 private:
  pid_t pid_ = -1;
};

}  // namespace somnara::testing
