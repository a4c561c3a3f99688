#pragma once

#include <string>

#include "x11/child_process.h"

namespace somnara::testing {

// A private X server for one test: Xvfb picks a free display number itself and
// tells it through a pipe (-displayfd), so parallel tests never collide.
class XvfbServer {
 public:
  bool Start(std::string* error);
  void Stop() { process_.Stop(); }
  const std::string& display() const { return display_; }
  ChildProcess& process() { return process_; }

 private:
  ChildProcess process_;
  std::string display_;
};

// openbox on a display, ready once it has announced itself on the root window.
class WindowManager {
 public:
  bool Start(const std::string& display, std::string* error);
  void Stop() { process_.Stop(); }

 private:
  ChildProcess process_;
};

}  // namespace somnara::testing
