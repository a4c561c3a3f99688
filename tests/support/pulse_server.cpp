#include "support/pulse_server.h"

#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace somnara::testing {
namespace {

// Bounded, but generous: CI machines are slow and busy.
constexpr int kAnswerMs = 15000;
constexpr int kPactlMs = 10000;

}  // namespace

bool PulseServer::Start(std::string* error) {
  char pattern[] = "/tmp/somnara-pulse-XXXXXX";
  if (mkdtemp(pattern) == nullptr) {
    *error = "cannot make a temporary folder for the sound server";
    return false;
  }
  dir_ = pattern;
  const std::string runtime = dir_ + "/run";
  mkdir(runtime.c_str(), 0700);
  address_ = "unix:" + dir_ + "/native";
  return Launch(error);
}

void PulseServer::Kill() {
  if (daemon_.running()) kill(daemon_.pid(), SIGKILL);
  daemon_.Stop();
}

bool PulseServer::Restart(std::string* error) {
  if (dir_.empty()) {
    *error = "the sound server was never started";
    return false;
  }
  return Launch(error);
}

bool PulseServer::Launch(std::string* error) {
  const std::string runtime = dir_ + "/run";
  LaunchOptions options;
  options.stderr_path = dir_ + "/server.log";
  // Its home, runtime and configuration folders are its own, so no user's settings and no
  // other server are involved.
  options.environment = {"HOME=" + dir_, "XDG_RUNTIME_DIR=" + runtime, "XDG_CONFIG_HOME=" + dir_,
                         "PULSE_SERVER"};
  if (!daemon_.Start(
          {"pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
           "--disable-shm=yes", "-L", std::string("module-null-sink sink_name=") + kSink, "-L",
           "module-native-protocol-unix socket=" + dir_ + "/native auth-anonymous=1"},
          options)) {
    *error = "cannot start pulseaudio";
    return false;
  }
  const int64_t end = MonotonicMs() + kAnswerMs;
  while (!Pactl({"info"})) {
    if (daemon_.Poll() || MonotonicMs() >= end) {
      std::ifstream log(dir_ + "/server.log");
      std::stringstream said;
      said << log.rdbuf();
      *error = "the private sound server did not answer; it said: " + said.str();
      return false;
    }
    SleepMs(50);
  }
  return true;
}

void PulseServer::Stop() {
  daemon_.Stop();
  if (!dir_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
    dir_.clear();
  }
}

bool PulseServer::Pactl(const std::vector<std::string>& arguments, std::string* output) const {
  if (dir_.empty()) return false;
  std::vector<std::string> argv = {"pactl", "-s", address_};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  const std::string out_path = dir_ + "/pactl.out";
  LaunchOptions options;
  options.stdout_path = out_path;
  ChildProcess pactl;
  if (!pactl.Start(argv, options)) return false;
  int status = 0;
  if (!pactl.WaitExit(kPactlMs, &status)) return false;
  if (output != nullptr) {
    std::ifstream in(out_path);
    std::stringstream text;
    text << in.rdbuf();
    *output = text.str();
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::optional<std::vector<int>> PulseServer::SinkVolume() const {
  std::string text;
  if (!Pactl({"get-sink-volume", kSink}, &text)) return std::nullopt;
  // "Volume: front-left: 32768 /  50% / -18.06 dB,   front-right: 32768 /  50% / ..."
  static const std::regex channel(R"([a-z-]+: (\d+) /)");
  std::vector<int> volumes;
  for (std::sregex_iterator it(text.begin(), text.end(), channel), end; it != end; ++it)
    volumes.push_back(std::stoi((*it)[1].str()));
  if (volumes.empty()) return std::nullopt;
  return volumes;
}

bool PulseServer::SetSinkVolume(int volume) const {
  return Pactl({"set-sink-volume", kSink, std::to_string(volume)});
}

}  // namespace somnara::testing
