#include "support/private_system_bus.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace somnara::testing {
namespace {

constexpr int kStartTimeoutMs = 10000;

// Everyone on this bus may own and call anything: it only ever holds the test's mocks.
std::string Config(const std::string& socket_path) {
  return R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=)" +
         socket_path + R"(</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
    <allow user="*"/>
  </policy>
</busconfig>
)";
}

}  // namespace

PrivateSystemBus::~PrivateSystemBus() {
  Stop();
}

bool PrivateSystemBus::Start(std::string* error) {
  char tmpl[] = "/tmp/somnara-bus-XXXXXX";
  if (!mkdtemp(tmpl)) {
    *error = "cannot make a temporary folder";
    return false;
  }
  dir_ = tmpl;
  const std::string config_path = dir_ + "/bus.conf";
  std::ofstream(config_path) << Config(dir_ + "/bus");

  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    *error = "cannot make a pipe";
    return false;
  }
  // The child keeps the writing end under its own number; exec drops the reading end.
  fcntl(fds[1], F_SETFD, 0);
  LaunchOptions options;
  options.keep_fd = fds[1];
  options.stderr_path = dir_ + "/daemon.log";
  const bool started =
      daemon_.Start({"/usr/bin/dbus-daemon", "--config-file=" + config_path, "--nofork",
                     "--nopidfile", "--print-address=" + std::to_string(fds[1])},
                    options);
  close(fds[1]);
  if (!started) {
    close(fds[0]);
    *error = "cannot start /usr/bin/dbus-daemon";
    return false;
  }

  std::string line;
  const int64_t end = MonotonicMs() + kStartTimeoutMs;
  while (line.find('\n') == std::string::npos) {
    const int64_t left = end - MonotonicMs();
    if (left <= 0) break;
    pollfd p{fds[0], POLLIN, 0};
    if (poll(&p, 1, int(left)) <= 0) break;
    char buffer[512];
    const ssize_t n = read(fds[0], buffer, sizeof buffer);
    if (n <= 0) break;
    line.append(buffer, size_t(n));
  }
  close(fds[0]);
  if (line.find('\n') == std::string::npos) {
    *error = "the bus gave no address in time: " + Log();
    return false;
  }
  address_ = line.substr(0, line.find('\n'));
  setenv("DBUS_SYSTEM_BUS_ADDRESS", address_.c_str(), 1);
  return true;
}

void PrivateSystemBus::Stop() {
  daemon_.Stop();
  if (!dir_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
    dir_.clear();
  }
  if (!address_.empty()) {
    DetachFromSystemBus();
    address_.clear();
  }
}

bool PrivateSystemBus::IsTheSystemBus() const {
  const char* value = std::getenv("DBUS_SYSTEM_BUS_ADDRESS");
  if (!value || address_.empty() || value != address_) return false;
  // One address only, and it is our socket in our folder.
  return address_.find(';') == std::string::npos &&
         address_.rfind("unix:path=" + dir_ + "/bus", 0) == 0;
}

std::string PrivateSystemBus::Log() const {
  return ReadWholeFile(dir_ + "/daemon.log");
}

void DetachFromSystemBus() {
  setenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/somnara-test/no-system-bus", 1);
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

}  // namespace somnara::testing
