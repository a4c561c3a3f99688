#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace somnara::platform {

// What a power request or a privilege question is about.
enum class PowerAction { kStandBy, kHibernate, kPowerOff };

// Outcome of one privilege step: `code` 0 is success; otherwise `text` is the
// system's own wording for the failure, one line, suitable for showing as is.
struct PowerStepResult {
  int code = 0;
  std::string text;
  bool ok() const { return code == 0; }
};

// The shut-down privilege of this process as the power authority sees it. Opening
// one is the first privilege step; the token is closed when it is destroyed.
class ProcessToken {
 public:
  virtual ~ProcessToken() = default;
  // Second step: ask whether this user may carry out `action`. `privilege_name`
  // names the privilege in the program's terms.
  virtual PowerStepResult LookupPrivilegeValue(const std::string& privilege_name,
                                               PowerAction action) = 0;
  // Third step: enable (or disable) the privilege looked up last. Fails with
  // kErrorNotAllAssigned when the answer was anything other than a plain yes.
  virtual PowerStepResult AdjustTokenPrivileges(bool enable) = 0;
};

// A held idle inhibitor: while it exists the system does not act on the user's
// idleness (no automatic stand-by). Destroying it releases the inhibitor.
class IdleInhibitor {
 public:
  virtual ~IdleInhibitor() = default;
};

// Stand-by, hibernate and power-off requests to the operating system, with the
// privilege steps that precede them.
class PowerService {
 public:
  // Platform family reported by the version query; the privilege steps before a
  // shut-down only run on this family.
  static constexpr uint32_t kPlatformNt = 2;
  // Access rights asked of a process token.
  static constexpr uint32_t kTokenQuery = 8;
  static constexpr uint32_t kTokenAdjustPrivileges = 32;
  // Attribute that enables a privilege.
  static constexpr uint32_t kSePrivilegeEnabled = 2;
  // The privilege was known but not granted.
  static constexpr int kErrorNotAllAssigned = 1300;
  // Shut-down request flags.
  static constexpr uint32_t kEwxShutdown = 1;
  static constexpr uint32_t kEwxReboot = 2;
  static constexpr uint32_t kEwxForce = 4;
  static constexpr uint32_t kEwxPowerOff = 8;

  virtual ~PowerService() = default;

  // Carries out `steps` (a power action's privilege steps and its request) without holding
  // the caller where the system may take its time to answer: such a backend runs them on a
  // thread of its own, each batch whole and in the order given, and the steps then call
  // the methods below from there. By default they run at once.
  virtual void Carry(std::function<void()> steps) { steps(); }

  virtual uint32_t PlatformId() = 0;

  // First privilege step. On failure returns null and fills `error`.
  virtual std::unique_ptr<ProcessToken> OpenProcessToken(uint32_t desired_access,
                                                         PowerStepResult* error) = 0;

  // Stand-by (`suspend` true) or hibernate (false). `force` skips asking running
  // programs for consent. True when the request was accepted.
  virtual bool SetSystemPowerState(bool suspend, bool force) = 0;

  // Shut-down request built from the kEwx* flags; kEwxForce overrides whatever
  // would hold the shut-down back. True when the request was accepted.
  virtual bool ExitWindowsEx(uint32_t flags, uint32_t reserved) = 0;

  // Takes an idle inhibitor; null when the system refused or is not reachable. A backend
  // whose answer may take time returns at once an inhibitor that holds whatever the answer
  // brings, and lets go of it when that comes after the inhibitor was destroyed.
  virtual std::unique_ptr<IdleInhibitor> InhibitIdle(const std::string& who,
                                                     const std::string& why) = 0;
};

}  // namespace somnara::platform
