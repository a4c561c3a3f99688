#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace somnara::testing {

// A helper program started by a test and stopped by it, never outliving the fixture.
class ChildProcess {
 public:
  ChildProcess() = default;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess() { Stop(); }

  // Starts `argv` with the current environment less `unset_env`. Its standard output
  // and error go to `log_path`; `pass_fd`, when not -1, becomes its descriptor 3.
  bool Start(const std::vector<std::string>& argv, const std::string& log_path,
             const std::vector<std::string>& unset_env = {}, int pass_fd = -1);
  // SIGTERM, a bounded wait, then SIGKILL. Only ever signals the child it started.
  void Stop();
  bool running() const { return pid_ > 0; }
  // True while the child has not exited.
  bool Alive();

 private:
  pid_t pid_ = -1;
};

// Reads a whole file; empty when it cannot be read.
std::string ReadFile(const std::string& path);

}  // namespace somnara::testing
