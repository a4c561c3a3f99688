#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/power_service.h"

namespace somnara::platform {

// One request that reached the fake.
struct RecordedPowerRequest {
  enum class Kind { kSetSystemPowerState, kExitWindowsEx };
  Kind kind = Kind::kSetSystemPowerState;
  bool suspend = false;   // SetSystemPowerState
  bool force = false;     // SetSystemPowerState
  uint32_t flags = 0;     // ExitWindowsEx
  uint32_t reserved = 0;  // ExitWindowsEx
};

// Power service that never touches the machine: it answers the privilege steps
// as configured and records every step, request and idle inhibitor in order.
class HeadlessPowerService : public PowerService {
 public:
  HeadlessPowerService();
  ~HeadlessPowerService() override;

  // Configuration. A non-zero code makes that step fail with the given text.
  void SetPlatformId(uint32_t id) { platform_id_ = id; }
  void FailOpenProcessToken(int code, std::string text);
  void FailLookupPrivilegeValue(int code, std::string text);
  // Whether the privilege is granted when asked (the default is yes).
  void SetPrivilegeGranted(bool granted);
  void SetRequestResult(bool accepted) { request_result_ = accepted; }
  void SetInhibitAvailable(bool available) { inhibit_available_ = available; }

  // What happened, oldest first. Entries read like calls, e.g.
  // "OpenProcessToken 40", "LookupPrivilegeValue SeShutdownPrivilege power-off",
  // "AdjustTokenPrivileges enable", "CloseToken", "SetSystemPowerState suspend force",
  // "ExitWindowsEx 9 0", "InhibitIdle Somnara", "ReleaseIdle".
  const std::vector<std::string>& events() const;
  const std::vector<RecordedPowerRequest>& requests() const { return requests_; }
  int open_tokens() const;
  int idle_inhibitors_held() const;
  void ClearRecords();

  uint32_t PlatformId() override;
  std::unique_ptr<ProcessToken> OpenProcessToken(uint32_t desired_access,
                                                 PowerStepResult* error) override;
  bool SetSystemPowerState(bool suspend, bool force) override;
  bool ExitWindowsEx(uint32_t flags, uint32_t reserved) override;
  std::unique_ptr<IdleInhibitor> InhibitIdle(const std::string& who,
                                             const std::string& why) override;

  // Shared with the tokens and inhibitors handed out, so they stay safe to
  // destroy even after the service is gone.
  struct State;

 private:
  std::shared_ptr<State> state_;
  uint32_t platform_id_ = kPlatformNt;
  PowerStepResult open_error_;
  bool request_result_ = true;
  bool inhibit_available_ = true;
  std::vector<RecordedPowerRequest> requests_;
};

}  // namespace somnara::platform
