#pragma once

#include <systemd/sd-bus.h>

#include <cstdint>
#include <string>

#include "platform/power_service.h"

namespace somnara::platform::logind {

inline constexpr const char* kService = "org.freedesktop.login1";
inline constexpr const char* kPath = "/org/freedesktop/login1";
inline constexpr const char* kManager = "org.freedesktop.login1.Manager";

// The login manager should answer at once; a hung bus must not hold the program
// for the library's default of 25 s.
inline constexpr uint64_t kCallTimeoutUsec = 10'000'000;

// An owned connection to the system bus (or whatever DBUS_SYSTEM_BUS_ADDRESS names).
class Connection {
 public:
  Connection() = default;
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  ~Connection();

  // Connects; on failure `error` holds the errno and its text.
  bool Open(PowerStepResult* error);
  sd_bus* get() const { return bus_; }

 private:
  sd_bus* bus_ = nullptr;
};

// The failure of a call as one line: the bus error's message when it has one,
// otherwise the text of the errno `r` (negative, as sd-bus returns it).
PowerStepResult CallFailure(int r, const sd_bus_error* error);

// `text` made fit for one line of output: control characters become spaces and
// surrounding blanks go.
std::string OneLine(std::string text);

}  // namespace somnara::platform::logind
