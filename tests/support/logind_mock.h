#pragma once

#include <string>
#include <tuple>
#include <vector>

#include "support/child_process.h"

namespace somnara::testing {

// python3-dbusmock's login manager, completed with the *WithFlags requests, on whatever
// DBUS_SYSTEM_BUS_ADDRESS names. It only records what it is asked to do.
class LogindMock {
 public:
  using Inhibitor = std::tuple<std::string, std::string, std::string, std::string>;

  LogindMock() = default;
  LogindMock(const LogindMock&) = delete;
  LogindMock& operator=(const LogindMock&) = delete;

  // `parameters_json` is handed to the template (see logind_with_flags.py). Waits, bounded,
  // until the mock owns its name on `bus_address`.
  bool Start(const std::string& bus_address, const std::string& work_dir,
             const std::string& parameters_json, std::string* error);
  void Stop() { process_.Stop(); }

  // The calls the mock received, oldest first, as "Method arg arg" in the mock's own
  // notation (False for false, strings quoted).
  std::vector<std::string> Calls() const;
  // (what, who, why, mode) of every inhibitor the mock holds; false when the query failed.
  bool Inhibitors(std::vector<Inhibitor>* out) const;
  std::string Log() const;

 private:
  std::string bus_address_;
  std::string log_path_;
  std::string output_path_;
  std::string errors_path_;
  ChildProcess process_;
};

}  // namespace somnara::testing
