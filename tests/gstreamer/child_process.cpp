#include "gstreamer/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

extern char** environ;

namespace somnara::testing {

ChildProcess::ChildProcess(const std::vector<std::string>& argv,
                           const std::vector<std::string>& extra_env,
                           const std::string& output_file) {
  std::vector<std::string> env_strings;
  for (char** e = environ; *e != nullptr; ++e) {
    std::string entry(*e);
    std::string name = entry.substr(0, entry.find('=') + 1);
    bool replaced = false;
    for (const auto& extra : extra_env) replaced = replaced || extra.rfind(name, 0) == 0;
    if (!replaced) env_strings.push_back(entry);
  }
  env_strings.insert(env_strings.end(), extra_env.begin(), extra_env.end());
  std::vector<char*> env;
  for (auto& s : env_strings) env.push_back(s.data());
  env.push_back(nullptr);
  std::vector<std::string> args = argv;
  std::vector<char*> arg_ptrs;
  for (auto& s : args) arg_ptrs.push_back(s.data());
  arg_ptrs.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  std::string out = output_file.empty() ? "/dev/null" : output_file;
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  if (posix_spawnp(&pid_, arg_ptrs[0], &actions, nullptr, arg_ptrs.data(), env.data()) != 0) {
    pid_ = -1;
  }
  posix_spawn_file_actions_destroy(&actions);
}

ChildProcess::~ChildProcess() {
  Stop();
}

bool ChildProcess::Stop(int timeout_ms) {
  if (pid_ <= 0) return true;
  kill(pid_, SIGTERM);
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (std::chrono::steady_clock::now() < deadline) {
    if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
      pid_ = -1;
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
  return false;
}

}  // namespace somnara::testing
