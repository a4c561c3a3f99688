#pragma once

namespace somnara::platform {

// The signals that ask the program to end (SIGTERM, SIGINT, SIGHUP of a closing terminal),
// turned into a descriptor that becomes readable, so that the interface thread ends the
// run the ordinary way (windows closed, idle inhibitor let go, sound stopped, display
// power put back) instead of anything happening inside a signal handler. A signal whose
// disposition the process already changed (ignored, say by nohup) is left as it is.
// A process has at most one of these.
class EndingSignals {
 public:
  EndingSignals() = default;
  ~EndingSignals();
  EndingSignals(const EndingSignals&) = delete;
  EndingSignals& operator=(const EndingSignals&) = delete;

  // False when the signals could not be taken (another object has them, or no pipe).
  bool Install();
  // Readable once one of the signals came; the data is for this class to read.
  int fd() const { return read_fd_; }
  // Empties the descriptor once it became readable, so that it can wake the loop again.
  void Drain() const;
  // The first signal that came, or 0.
  int Received() const;

 private:
  int read_fd_ = -1;
  int write_fd_ = -1;
  bool installed_[3] = {};
};

// The exit status that tells the parent the run was ended by `signal_number` after its
// own clean-up, as a shell reports a process killed by it.
inline int SignalExitStatus(int signal_number) {
  return 128 + signal_number;
}

}  // namespace somnara::platform
