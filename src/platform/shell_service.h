#pragma once

#include <string>

namespace somnara::platform {

// Hands documents, web addresses and "mailto:" links to the programs the user's desktop
// associates with them. A request returns once the desktop has taken the target on or
// turned it down; nobody waits for the opened document.
class ShellService {
 public:
  virtual ~ShellService() = default;

  // The desktop's default opener. True when it accepted the target, false when it refused
  // (no handler, a missing file, no opener at all).
  virtual bool Open(const std::string& target) = 0;

  // The same request once more through the desktop's URL handler; true when accepted.
  virtual bool OpenUrlHandler(const std::string& target) = 0;
};

}  // namespace somnara::platform
