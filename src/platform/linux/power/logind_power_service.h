#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "platform/linux/system/job_queue.h"
#include "platform/power_service.h"

namespace somnara::platform {

// Power requests to systemd-logind over the system bus (DBUS_SYSTEM_BUS_ADDRESS
// overrides where that is). The privilege steps map onto the login manager: the
// token is a connection to it, looking the privilege up asks whether this user
// may carry out the action, and enabling it succeeds only on a plain "yes".
// Every request opens its own connection, so a bus restarted during the night
// does not matter. The login manager may take up to the call timeout to answer, so the
// power actions and the inhibitor request run on a thread of the service's own.
class LogindPowerService : public PowerService {
 public:
  // Flag of the *WithFlags requests: root's requests, too, respect inhibitors.
  static constexpr uint64_t kRootCheckInhibitors = 1;

  // One batch after another on the service's thread; the object waits for them when it goes.
  void Carry(std::function<void()> steps) override;
  // Reported as the NT-like family: the login manager has a privilege to check.
  uint32_t PlatformId() override;
  std::unique_ptr<ProcessToken> OpenProcessToken(uint32_t desired_access,
                                                 PowerStepResult* error) override;
  // Suspend / Hibernate. Without `force` they respect inhibitors even for root.
  bool SetSystemPowerState(bool suspend, bool force) override;
  // PowerOff. The plain request respects inhibitors even for root; with kEwxForce
  // they are overridden as far as the caller is allowed to. Restart and log-off
  // are not offered.
  bool ExitWindowsEx(uint32_t flags, uint32_t reserved) override;
  // Inhibit("idle", who, why, "block") on the service's thread; the inhibitor returned at
  // once holds the descriptor that comes back, and destroying it releases the inhibitor.
  // A refusal is said on standard error.
  std::unique_ptr<IdleInhibitor> InhibitIdle(const std::string& who,
                                             const std::string& why) override;

  // Waits until every batch and inhibitor request given so far has been answered.
  void WaitUntilIdle() { requests_.WaitUntilIdle(); }

  // Why the last request was not accepted, empty when it was; for diagnostics.
  const std::string& last_request_error() const { return last_request_error_; }

  // What the login manager answered to `question` about `action`; anything but "yes" is
  // mentioned on standard error with the request that follows.
  void NoteAnswer(PowerAction action, const std::string& question, const std::string& answer);

 private:
  // Sends the request and writes one line on standard error when it failed or when the
  // login manager had already said it would not allow it.
  bool Request(PowerAction action, const char* method, bool force);
  // Calls `method`WithFlags(flags) and falls back to `method`(false) where the
  // login manager does not have the flags variant; with `force`, `method`(false).
  bool Send(const char* method, bool force);

  std::string last_request_error_;
  // Per action, the last answer other than "yes", worded for that line.
  std::map<PowerAction, std::string> answers_;
  // Last member: it is destroyed first, running what was posted while the rest still lives.
  JobQueue requests_;
};

}  // namespace somnara::platform
