#pragma once

#include <string>

#include "platform/shell_service.h"

namespace somnara::platform {

// The shell's "open" verb: the default program for a document, web address or "mailto:"
// link, and as the second attempt the system's URL protocol handler run by rundll32.exe.
// The shell returns once it has started the other program or refused, so requests run at
// once on the caller's thread.
class WindowsShellService : public ShellService {
 public:
  bool Open(const std::string& target) override;
  bool OpenUrlHandler(const std::string& target) override;

  // A local path written with "/" (as the program joins its folder and file names) in the
  // separators the shell's file associations expect; web addresses pass unchanged.
  static std::string NativeTarget(const std::string& target);
};

}  // namespace somnara::platform
