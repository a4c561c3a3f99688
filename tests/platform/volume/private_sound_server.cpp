#include "platform/volume/private_sound_server.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>
#include <vector>

extern char** environ;

namespace somnara::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

bool OnPath(const std::string& program) {
  return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

}  // namespace

PrivateSoundServer::PrivateSoundServer(const std::string& sink_arguments)
    : sink_arguments_(sink_arguments) {}

PrivateSoundServer::~PrivateSoundServer() {
  Stop();
}

bool PrivateSoundServer::Available() {
  return OnPath("pulseaudio") && OnPath("pactl");
}

bool PrivateSoundServer::Start(std::string* error) {
  char pattern[] = "/tmp/smvolXXXXXX";
  if (mkdtemp(pattern) == nullptr) {
    *error = "no temporary folder";
    return false;
  }
  dir_ = pattern;
  fs::create_directories(dir_ + "/run");
  fs::permissions(dir_ + "/run", fs::perms::owner_all);
  address_ = "unix:" + dir_ + "/native";

  std::vector<std::string> args = {
      "pulseaudio",
      "-n",
      "--daemonize=no",
      "--exit-idle-time=-1",
      "--use-pid-file=no",
      "--disable-shm=yes",
      "-L",
      "module-null-sink sink_name=out " + sink_arguments_,
      "-L",
      "module-native-protocol-unix socket=" + dir_ + "/native auth-anonymous=1"};
  std::vector<std::string> env_strings;
  for (char** e = environ; *e != nullptr; ++e) {
    std::string entry(*e);
    if (entry.rfind("HOME=", 0) == 0 || entry.rfind("XDG_RUNTIME_DIR=", 0) == 0 ||
        entry.rfind("XDG_CONFIG_HOME=", 0) == 0 || entry.rfind("PULSE_SERVER=", 0) == 0)
      continue;
    env_strings.push_back(entry);
  }
  env_strings.push_back("HOME=" + dir_);
  env_strings.push_back("XDG_RUNTIME_DIR=" + dir_ + "/run");
  env_strings.push_back("XDG_CONFIG_HOME=" + dir_);
  std::vector<char*> argv, envp;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  for (auto& e : env_strings) envp.push_back(e.data());
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  int rc = posix_spawnp(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) {
    pid_ = -1;
    *error = "pulseaudio could not be started";
    return false;
  }
  if (const char* old = std::getenv("PULSE_SERVER")) {
    had_pulse_server_ = true;
    old_pulse_server_ = old;
  }
  setenv("PULSE_SERVER", address_.c_str(), 1);
  env_changed_ = true;
  auto deadline = std::chrono::steady_clock::now() + 15s;
  while (!Pactl("info")) {
    if (std::chrono::steady_clock::now() > deadline || waitpid(pid_, nullptr, WNOHANG) == pid_) {
      *error = "the sound server did not answer";
      return false;
    }
    std::this_thread::sleep_for(50ms);
  }
  return true;
}

void PrivateSoundServer::Stop() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    auto deadline = std::chrono::steady_clock::now() + 3s;
    bool ended = false;
    while (!ended && std::chrono::steady_clock::now() < deadline) {
      ended = waitpid(pid_, nullptr, WNOHANG) == pid_;
      if (!ended) std::this_thread::sleep_for(10ms);
    }
    if (!ended) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    pid_ = -1;
  }
  if (env_changed_) {
    env_changed_ = false;
    if (had_pulse_server_) {
      setenv("PULSE_SERVER", old_pulse_server_.c_str(), 1);
    } else {
      unsetenv("PULSE_SERVER");
    }
    had_pulse_server_ = false;
  }
  if (!dir_.empty()) {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
    dir_.clear();
  }
}

bool PrivateSoundServer::Pactl(const std::string& arguments, std::string* output) const {
  std::string command = "pactl -s " + address_ + " " + arguments + " 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return false;
  std::string text;
  std::array<char, 512> buffer;
  size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) text.append(buffer.data(), n);
  bool ok = pclose(pipe) == 0;
  if (output != nullptr) *output = text;
  return ok;
}

}  // namespace somnara::testing
