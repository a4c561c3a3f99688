#include "support/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>

namespace somnara::testing {

int64_t MonotonicMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return int64_t(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

void SleepMs(int ms) {
  timespec ts{ms / 1000, long(ms % 1000) * 1000000};
  nanosleep(&ts, nullptr);
}

bool ChildProcess::Start(const std::vector<std::string>& argv, const LaunchOptions& options) {
  if (argv.empty() || running()) return false;
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  const pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    // A test that crashes or is killed must not leave its X server or program behind.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() == 1) _exit(127);
    const int null_fd = open("/dev/null", O_RDWR);
    if (null_fd >= 0) {
      dup2(null_fd, STDIN_FILENO);
      dup2(null_fd, STDOUT_FILENO);
      dup2(null_fd, STDERR_FILENO);
    }
    if (!options.stderr_path.empty()) {
      const int err_fd = open(options.stderr_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (err_fd >= 0) dup2(err_fd, STDERR_FILENO);
    }
    if (!options.stdout_path.empty()) {
      const int out_fd = open(options.stdout_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (out_fd >= 0) dup2(out_fd, STDOUT_FILENO);
    }
    // Only the standard descriptors and the one asked for reach the child.
    for (int fd = 3; fd < 1024; ++fd)
      if (fd != options.keep_fd) close(fd);
    if (options.unset_display)
      unsetenv("DISPLAY");
    else if (!options.display.empty())
      setenv("DISPLAY", options.display.c_str(), 1);
    for (const std::string& entry : options.environment) {
      const size_t eq = entry.find('=');
      if (eq == std::string::npos)
        unsetenv(entry.c_str());
      else
        setenv(entry.substr(0, eq).c_str(), entry.c_str() + eq + 1, 1);
    }
    execvp(args[0], args.data());
    _exit(127);
  }
  pid_ = pid;
  return true;
}

bool ChildProcess::Poll(int* status) {
  if (pid_ <= 0) return true;
  int s = 0;
  if (waitpid(pid_, &s, WNOHANG) == pid_) {
    pid_ = -1;
    if (status) *status = s;
    return true;
  }
  return false;
}

bool ChildProcess::WaitExit(int timeout_ms, int* status) {
  const int64_t end = MonotonicMs() + timeout_ms;
  for (;;) {
    if (Poll(status)) return true;
    if (MonotonicMs() >= end) return false;
    SleepMs(5);
  }
}

void ChildProcess::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  if (WaitExit(2000)) return;
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

}  // namespace somnara::testing
