#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "platform/shell_service.h"

namespace somnara::platform {

// The desktop's openers as programs: xdg-open for the default handler and "gio open" for
// the URL handler. Each request starts the opener with the target as one argument of its
// own (never through a shell) and waits, for a bounded time, for its exit status: 0 means
// accepted. Refusals (no handler, a missing file) come back at once; an opener still busy
// when the wait runs out is taken to have started a program that it waits for (a browser
// started by a generic xdg-open), so it has taken the target on. It is reaped later. The
// wait holds up the caller, so it is kept short.
class ShellOpener : public ShellService {
 public:
  struct Options {
    std::vector<std::string> opener{"xdg-open"};
    std::vector<std::string> url_handler{"gio", "open"};
    int wait_limit_ms = 3000;
  };

  ShellOpener();
  explicit ShellOpener(Options options);
  ~ShellOpener() override;
  ShellOpener(const ShellOpener&) = delete;
  ShellOpener& operator=(const ShellOpener&) = delete;

  bool Open(const std::string& target) override;
  bool OpenUrlHandler(const std::string& target) override;

  // Openers that outlasted their wait and have not been reaped yet.
  size_t StillRunning() const { return still_running_.size(); }

 private:
  bool Run(const std::vector<std::string>& command, const std::string& target);
  void ReapFinished();

  Options options_;
  std::vector<pid_t> still_running_;
};

// Whether a target can be handed to an opener as an argument: not empty, no NUL byte, and
// not starting with '-', which the openers would read as an option of their own.
bool IsOpenableTarget(const std::string& target);

}  // namespace somnara::platform
