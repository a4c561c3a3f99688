#pragma once

#include <sys/types.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "platform/linux/system/job_queue.h"
#include "platform/shell_service.h"

namespace somnara::platform {

// The desktop's openers as programs: xdg-open for the default handler and "gio open" for
// the URL handler. Each request starts the opener with the target as one argument of its
// own (never through a shell) and waits, for a bounded time, for its exit status: 0 means
// accepted. Refusals (no handler, a missing file) come back at once; an opener still busy
// when the wait runs out is taken to have started a program that it waits for (a browser
// started by a generic xdg-open), so it has taken the target on; a thread of its own waits
// for its end, so every opener is reaped. The wait holds up the caller, so the program
// hands its requests to Carry, which runs them on the opener's own thread.
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

  void Carry(std::function<void()> request) override;
  bool Open(const std::string& target) override;
  bool OpenUrlHandler(const std::string& target) override;

  // Openers that outlasted their wait and have not been reaped yet.
  size_t StillRunning() const { return *still_running_; }
  // Waits until every request given to Carry so far has been answered.
  void WaitUntilIdle() { requests_.WaitUntilIdle(); }

 private:
  bool Run(const std::vector<std::string>& command, const std::string& target);

  Options options_;
  // Shared with the threads that wait for lingering openers, which may outlive this object.
  std::shared_ptr<std::atomic<size_t>> still_running_ = std::make_shared<std::atomic<size_t>>(0);
  // Last member: it is destroyed first, finishing its requests while the rest still lives.
  JobQueue requests_;
};

// Whether a target can be handed to an opener as an argument: not empty, no NUL byte, and
// not starting with '-', which the openers would read as an option of their own.
bool IsOpenableTarget(const std::string& target);

}  // namespace somnara::platform
