#pragma once

#include <string>

#include "support/child_process.h"

namespace somnara::testing {

// A private X server: Xvfb picks a free display number itself and tells it through a
// pipe (-displayfd), so parallel tests never collide. 1024 x 768, 24 bits.
class XvfbServer {
 public:
  static constexpr int kWidth = 1024;
  static constexpr int kHeight = 768;

  bool Start(std::string* error);
  void Stop() { process_.Stop(); }
  const std::string& display() const { return display_; }
  ChildProcess& process() { return process_; }

 private:
  ChildProcess process_;
  std::string display_;
};

// openbox on a display, ready once it really manages windows.
class WindowManager {
 public:
  bool Start(const std::string& display, std::string* error);
  void Stop() { process_.Stop(); }

 private:
  ChildProcess process_;
};

}  // namespace somnara::testing
