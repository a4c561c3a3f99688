#pragma once

#include <cstdint>

struct _XDisplay;

namespace somnara::platform::x11 {

// Installs the process-wide Xlib handlers once: protocol errors are counted per
// connection and the first few unexpected ones printed, instead of ending the program
// (Xlib's default); a lost connection ends the program with a one-line message
// instead of a crash.
void InstallErrorHandlers();

// Protocol errors seen so far on a connection outside any ErrorTrap, and the
// code of the last error, trapped or not.
uint64_t ProtocolErrorCount(_XDisplay* display);
int LastProtocolError(_XDisplay* display);
void ForgetDisplay(_XDisplay* display);

// Tells whether the requests made since construction failed. Failed() waits for the
// server (XSync), so use it around the few requests that may legitimately fail.
class ErrorTrap {
 public:
  explicit ErrorTrap(_XDisplay* display);
  ~ErrorTrap();
  ErrorTrap(const ErrorTrap&) = delete;
  ErrorTrap& operator=(const ErrorTrap&) = delete;
  bool Failed();

 private:
  _XDisplay* display_;
  uint64_t start_;
};

}  // namespace somnara::platform::x11
