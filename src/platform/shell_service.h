#pragma once

#include <functional>
#include <string>

namespace somnara::platform {

// Hands documents, web addresses and "mailto:" links to the programs the user's desktop
// associates with them. A request returns once the desktop has taken the target on or
// turned it down; nobody waits for the opened document.
class ShellService {
 public:
  virtual ~ShellService() = default;

  // Carries out `request` (one or more of the calls below and the decisions between them)
  // without holding the caller where an opener may take its time to answer: such a backend
  // runs it on a thread of its own, requests one after another in the order given. By
  // default it runs at once.
  virtual void Carry(std::function<void()> request) { request(); }

  // The desktop's default opener. True when it accepted the target, false when it refused
  // (no handler, a missing file, no opener at all).
  virtual bool Open(const std::string& target) = 0;

  // The same request once more through the desktop's URL handler; true when accepted.
  virtual bool OpenUrlHandler(const std::string& target) = 0;
};

}  // namespace somnara::platform
