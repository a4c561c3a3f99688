#include "platform/linux/system/shell_opener.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>

#include <cstdint>
#include <thread>
#include <utility>

extern char** environ;

namespace somnara::platform {
namespace {

constexpr int kPollStepMs = 2;

void SleepMs(int ms) {
  timespec ts{ms / 1000, long(ms % 1000) * 1000000};
  nanosleep(&ts, nullptr);
}

int64_t MonotonicMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return int64_t(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

// posix_spawn's attribute and file-action objects, released on every path.
struct SpawnSetup {
  posix_spawnattr_t attr;
  posix_spawn_file_actions_t actions;
  bool ok = false;

  SpawnSetup() {
    if (posix_spawnattr_init(&attr) != 0) return;
    if (posix_spawn_file_actions_init(&actions) != 0) {
      posix_spawnattr_destroy(&attr);
      return;
    }
    ok = true;
    // The opener starts clean: default signal handling, nothing blocked, a process group of
    // its own (a terminal's Ctrl+C meant for us does not reach the browser it starts), no
    // input, and none of our descriptors (the display connection, the sound pipelines).
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &all);
    posix_spawnattr_setpgroup(&attr, 0);
    posix_spawnattr_setflags(
        &attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
  }
  ~SpawnSetup() {
    if (!ok) return;
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;
};

}  // namespace

bool IsOpenableTarget(const std::string& target) {
  return !target.empty() && target.find('\0') == std::string::npos && target[0] != '-';
}

ShellOpener::ShellOpener() : ShellOpener(Options{}) {}
ShellOpener::ShellOpener(Options options) : options_(std::move(options)) {}

ShellOpener::~ShellOpener() = default;

void ShellOpener::Carry(std::function<void()> request) {
  requests_.Post(std::move(request));
}

bool ShellOpener::Open(const std::string& target) {
  return Run(options_.opener, target);
}

bool ShellOpener::OpenUrlHandler(const std::string& target) {
  return Run(options_.url_handler, target);
}

bool ShellOpener::Run(const std::vector<std::string>& command, const std::string& target) {
  if (command.empty() || !IsOpenableTarget(target)) return false;
  std::vector<char*> argv;
  for (const std::string& part : command) argv.push_back(const_cast<char*>(part.c_str()));
  argv.push_back(const_cast<char*>(target.c_str()));
  argv.push_back(nullptr);

  SpawnSetup setup;
  if (!setup.ok) return false;
  pid_t pid = -1;
  if (posix_spawnp(&pid, argv[0], &setup.actions, &setup.attr, argv.data(), environ) != 0)
    return false;  // no such opener

  const int64_t deadline = MonotonicMs() + options_.wait_limit_ms;
  for (;;) {
    int status = 0;
    pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (done < 0 && errno != EINTR) return true;  // reaped elsewhere: its answer is lost
    if (MonotonicMs() >= deadline) break;
    SleepMs(kPollStepMs);
  }
  // Still busy with the target (an opener that waits for the program it started): reaped
  // whenever it ends, which may be when the user closes the browser.
  ++*still_running_;
  std::thread([pid, still_running = still_running_] {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    --*still_running;
  }).detach();
  return true;
}

}  // namespace somnara::platform
