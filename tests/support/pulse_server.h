#pragma once

#include <optional>
#include <string>
#include <vector>

#include "support/child_process.h"

namespace somnara::testing {

// A PulseAudio server of the test's own: one null output "out" (the default, since it is
// the only one) and a socket in a temporary folder. Nothing else of the machine's sound
// setup is read, and the test's own environment is left alone: a child is pointed at it
// with Environment().
class PulseServer {
 public:
  static constexpr char kSink[] = "out";
  static constexpr char kMonitor[] = "out.monitor";

  PulseServer() = default;
  ~PulseServer() { Stop(); }
  PulseServer(const PulseServer&) = delete;
  PulseServer& operator=(const PulseServer&) = delete;

  // Starts the server and waits (bounded) until it answers.
  bool Start(std::string* error);
  void Stop();
  // Ends the server at once, as a crash would, keeping its folder and address; Restart
  // brings it back at the same address, as a sound server restarted during the night.
  void Kill();
  bool Restart(std::string* error);
  // "unix:<socket>"
  const std::string& address() const { return address_; }
  // The variable that sends a child's sound here, for LaunchOptions::environment.
  std::string Environment() const { return "PULSE_SERVER=" + address_; }

  // Runs pactl against this server (bounded); true when it succeeded, with its output.
  bool Pactl(const std::vector<std::string>& arguments, std::string* output = nullptr) const;
  // The output's volume per channel, in the server's units (65536 is 100%).
  std::optional<std::vector<int>> SinkVolume() const;
  bool SetSinkVolume(int volume) const;

 private:
  bool Launch(std::string* error);

  ChildProcess daemon_;
  std::string dir_;
  std::string address_;
};

}  // namespace somnara::testing
