#pragma once

#include <string>

#include "support/child_process.h"

namespace somnara::testing {

// A message bus of the test's own, in a fresh temporary folder, made the "system bus" of
// this process (and of the children it starts afterwards) through DBUS_SYSTEM_BUS_ADDRESS
// before anything connects.
class PrivateSystemBus {
 public:
  PrivateSystemBus() = default;
  PrivateSystemBus(const PrivateSystemBus&) = delete;
  PrivateSystemBus& operator=(const PrivateSystemBus&) = delete;
  ~PrivateSystemBus();

  // Starts the bus and waits, bounded, for its address. False with `error` filled when it
  // did not come up.
  bool Start(std::string* error);
  void Stop();

  const std::string& address() const { return address_; }
  const std::string& dir() const { return dir_; }
  // True when DBUS_SYSTEM_BUS_ADDRESS names this bus and nothing else.
  bool IsTheSystemBus() const;
  std::string Log() const;

 private:
  std::string dir_;
  std::string address_;
  ChildProcess daemon_;
};

// Points DBUS_SYSTEM_BUS_ADDRESS at a socket that does not exist, so that code run outside
// a fixture can never reach the machine's real system bus.
void DetachFromSystemBus();

// A whole file; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);

}  // namespace somnara::testing
