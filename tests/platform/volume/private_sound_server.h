#pragma once

#include <sys/types.h>

#include <string>

namespace somnara::testing {

// A PulseAudio server of the test's own, with one null output, listening on a socket in a
// temporary folder; PULSE_SERVER points at it while the object lives. Stopped (by its own
// process id) and cleaned up at the end.
class PrivateSoundServer {
 public:
  // sink_arguments go to module-null-sink, e.g. "channels=1".
  explicit PrivateSoundServer(const std::string& sink_arguments = "");
  ~PrivateSoundServer();
  PrivateSoundServer(const PrivateSoundServer&) = delete;
  PrivateSoundServer& operator=(const PrivateSoundServer&) = delete;

  // Whether the programs it needs are installed at all.
  static bool Available();
  // Starts it and waits (bounded) until it answers; false with a reason otherwise.
  bool Start(std::string* error);
  void Stop();
  // "unix:<socket>"
  const std::string& Address() const { return address_; }
  // Runs pactl against this server; its output, or nothing when it failed.
  bool Pactl(const std::string& arguments, std::string* output = nullptr) const;

 private:
  std::string sink_arguments_;
  std::string dir_;
  std::string address_;
  std::string old_pulse_server_;
  bool had_pulse_server_ = false;
  bool env_changed_ = false;
  pid_t pid_ = -1;
};

}  // namespace somnara::testing
