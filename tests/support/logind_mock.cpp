#include "support/logind_mock.h"

#include <systemd/sd-bus.h>

#include <chrono>
#include <memory>
#include <sstream>
#include <thread>

#include "support/private_system_bus.h"

#ifndef SOMNARA_LOGIND_TEMPLATE
#error "SOMNARA_LOGIND_TEMPLATE must name the mock's template file"
#endif

namespace somnara::testing {
namespace {

constexpr auto kStartTimeout = std::chrono::seconds(20);

struct BusCloser {
  void operator()(sd_bus* bus) const { sd_bus_flush_close_unref(bus); }
};
using BusPtr = std::unique_ptr<sd_bus, BusCloser>;

// A connection to exactly `address`, never to a default bus.
BusPtr Connect(const std::string& address) {
  sd_bus* bus = nullptr;
  if (sd_bus_new(&bus) < 0) return nullptr;
  BusPtr owned(bus);
  if (sd_bus_set_address(bus, address.c_str()) < 0 || sd_bus_set_bus_client(bus, 1) < 0 ||
      sd_bus_start(bus) < 0) {
    return nullptr;
  }
  return owned;
}

bool HasOwner(sd_bus* bus, const char* name) {
  sd_bus_message* reply = nullptr;
  int r = sd_bus_call_method(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                             "org.freedesktop.DBus", "NameHasOwner", nullptr, &reply, "s", name);
  int has = 0;
  if (r >= 0) r = sd_bus_message_read(reply, "b", &has);
  sd_bus_message_unref(reply);
  return r >= 0 && has;
}

}  // namespace

bool LogindMock::Start(const std::string& bus_address, const std::string& work_dir,
                       const std::string& parameters_json, std::string* error) {
  bus_address_ = bus_address;
  log_path_ = work_dir + "/logind-calls.log";
  output_path_ = work_dir + "/logind-output.log";
  // Debian's interpreter, which has the dbusmock package, whatever else is on PATH.
  LaunchOptions options;
  options.stdout_path = output_path_;
  errors_path_ = work_dir + "/logind-errors.log";
  options.stderr_path = errors_path_;
  options.environment = {"PYTHONPATH", "PYTHONHOME", "DBUS_SYSTEM_BUS_ADDRESS=" + bus_address};
  if (!process_.Start(
          {"/usr/bin/python3", "-m", "dbusmock", "--system", "--template", SOMNARA_LOGIND_TEMPLATE,
           "--logfile", log_path_, "--parameters", parameters_json},
          options)) {
    *error = "cannot start /usr/bin/python3";
    return false;
  }
  BusPtr bus = Connect(bus_address);
  if (!bus) {
    *error = "cannot connect to the private bus";
    return false;
  }
  const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
  while (!HasOwner(bus.get(), "org.freedesktop.login1")) {
    if (process_.Poll() || std::chrono::steady_clock::now() > deadline) {
      *error = "the login manager mock did not come up: " + Log();
      Stop();
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

std::vector<std::string> LogindMock::Calls() const {
  std::vector<std::string> calls;
  std::istringstream in(ReadWholeFile(log_path_));
  std::string line;
  while (std::getline(in, line)) {
    // "<seconds>.<millis> Method args"; errors the mock raised are logged as
    // "<seconds>.<millis> Method raised: ..." and may run over several lines.
    auto space = line.find(' ');
    if (space == std::string::npos || space == 0 ||
        line.find_first_not_of("0123456789.") != space) {
      continue;
    }
    std::string call = line.substr(space + 1);
    if (call.find(" raised: ") == std::string::npos) calls.push_back(call);
  }
  return calls;
}

bool LogindMock::Inhibitors(std::vector<Inhibitor>* out) const {
  out->clear();
  BusPtr bus = Connect(bus_address_);
  if (!bus) return false;
  sd_bus_message* reply = nullptr;
  int r =
      sd_bus_call_method(bus.get(), "org.freedesktop.login1", "/org/freedesktop/login1",
                         "org.freedesktop.login1.Manager", "ListInhibitors", nullptr, &reply, "");
  if (r >= 0) r = sd_bus_message_enter_container(reply, 'a', "(ssssuu)");
  while (r > 0) {
    const char *what, *who, *why, *mode;
    uint32_t uid, pid;
    r = sd_bus_message_read(reply, "(ssssuu)", &what, &who, &why, &mode, &uid, &pid);
    if (r > 0) out->emplace_back(what, who, why, mode);
  }
  sd_bus_message_unref(reply);
  return r >= 0;
}

std::string LogindMock::Log() const {
  return ReadWholeFile(output_path_) + ReadWholeFile(errors_path_);
}

}  // namespace somnara::testing
