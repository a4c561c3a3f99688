#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace somnara::testing {

bool ChildProcess::Start(const std::vector<std::string>& argv, const std::string& log_path,
                         const std::vector<std::string>& unset_env, int pass_fd) {
  if (argv.empty() || running()) return false;
  // Everything the child needs is prepared before fork: after it only plain system calls.
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  std::vector<char*> env;
  for (char** e = environ; *e; ++e) {
    bool drop = false;
    for (const std::string& name : unset_env) {
      if (std::strncmp(*e, name.c_str(), name.size()) == 0 && (*e)[name.size()] == '=') drop = true;
    }
    if (!drop) env.push_back(*e);
  }
  env.push_back(nullptr);
  int log_fd = open(log_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (log_fd < 0) return false;

  pid_t pid = fork();
  if (pid < 0) {
    close(log_fd);
    return false;
  }
  if (pid == 0) {
    int devnull = open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (devnull >= 0) dup2(devnull, 0);
    dup2(log_fd, 1);
    dup2(log_fd, 2);
    if (pass_fd >= 0) {
      if (pass_fd == 3) {
        fcntl(3, F_SETFD, 0);
      } else {
        dup2(pass_fd, 3);
      }
    }
    execve(args[0], args.data(), env.data());
    _exit(127);
  }
  close(log_fd);
  pid_ = pid;
  return true;
}

bool ChildProcess::Alive() {
  if (pid_ <= 0) return false;
  int status = 0;
  if (waitpid(pid_, &status, WNOHANG) == pid_) {
    pid_ = -1;
    return false;
  }
  return true;
}

void ChildProcess::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  int status = 0;
  while (waitpid(pid_, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid_, SIGKILL);
      waitpid(pid_, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  pid_ = -1;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

}  // namespace somnara::testing
