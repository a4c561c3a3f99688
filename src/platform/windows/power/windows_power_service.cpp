#include "platform/windows/power/windows_power_service.h"

// After windows.h, which it needs.
#include <powrprof.h>

#include "platform/windows/system/wide_text.h"

namespace somnara::platform {

// The calls, and how many inhibitors hold the execution state; inhibitors share it with the
// service, so either may go first.
struct WindowsPowerService::Shared {
  WindowsPowerCalls calls;
  int inhibitors = 0;
};

namespace {

PowerStepResult Failure(DWORD code) {
  // A call that failed without saying why still failed.
  if (code == ERROR_SUCCESS) code = ERROR_GEN_FAILURE;
  return {int(code), SystemErrorText(code)};
}

class WindowsProcessToken : public ProcessToken {
 public:
  WindowsProcessToken(const WindowsPowerCalls& calls, HANDLE token)
      : calls_(calls), token_(token) {}
  ~WindowsProcessToken() override { calls_.close_handle(token_); }

  PowerStepResult LookupPrivilegeValue(const std::string& privilege_name,
                                       PowerAction action) override {
    looked_up_ = calls_.lookup_privilege_value(nullptr, Widen(privilege_name).c_str(), &luid_);
    return looked_up_ ? PowerStepResult{} : Failure(GetLastError());
  }

  PowerStepResult AdjustTokenPrivileges(bool enable) override {
    // Nothing to enable without the privilege's identifier.
    if (!looked_up_) return Failure(ERROR_NO_SUCH_PRIVILEGE);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Luid = luid_;
    privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
    SetLastError(ERROR_SUCCESS);
    BOOL done = calls_.adjust_token_privileges(token_, FALSE, &privileges, 0, nullptr, nullptr);
    // Success with ERROR_NOT_ALL_ASSIGNED means the privilege is not this user's to enable.
    DWORD code = GetLastError();
    if (done && code == ERROR_SUCCESS) return {};
    return Failure(code);
  }

 private:
  const WindowsPowerCalls calls_;
  HANDLE token_;
  LUID luid_{};
  bool looked_up_ = false;
};

class WindowsIdleInhibitor : public IdleInhibitor {
 public:
  explicit WindowsIdleInhibitor(std::shared_ptr<WindowsPowerService::Shared> shared)
      : shared_(std::move(shared)) {}
  ~WindowsIdleInhibitor() override {
    if (--shared_->inhibitors == 0) shared_->calls.set_thread_execution_state(ES_CONTINUOUS);
  }

 private:
  std::shared_ptr<WindowsPowerService::Shared> shared_;
};

}  // namespace

WindowsPowerCalls WindowsPowerCalls::Real() {
  return {&::GetCurrentProcess,     &::OpenProcessToken,
          &::LookupPrivilegeValueW, &::AdjustTokenPrivileges,
          &::CloseHandle,           &::SetSuspendState,
          &::ExitWindowsEx,         &::SetThreadExecutionState};
}

WindowsPowerService::WindowsPowerService(WindowsPowerCalls calls)
    : shared_(std::make_shared<Shared>(Shared{calls, 0})) {}

uint32_t WindowsPowerService::PlatformId() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  // Every system this program runs on is of the NT family; the query can only confirm it.
  if (!GetVersionExW(&version)) return kPlatformNt;
  return version.dwPlatformId;
}

std::unique_ptr<ProcessToken> WindowsPowerService::OpenProcessToken(uint32_t desired_access,
                                                                    PowerStepResult* error) {
  const WindowsPowerCalls& calls = shared_->calls;
  HANDLE token = nullptr;
  if (!calls.open_process_token(calls.get_current_process(), desired_access, &token)) {
    PowerStepResult failure = Failure(GetLastError());
    if (error) *error = failure;
    return nullptr;
  }
  if (error) *error = {};
  return std::make_unique<WindowsProcessToken>(calls, token);
}

bool WindowsPowerService::SetSystemPowerState(bool suspend, bool force) {
  return shared_->calls.set_suspend_state(suspend ? FALSE : TRUE, FALSE, FALSE) != FALSE;
}

bool WindowsPowerService::ExitWindowsEx(uint32_t flags, uint32_t reserved) {
  return shared_->calls.exit_windows_ex(UINT(flags), DWORD(reserved)) != FALSE;
}

std::unique_ptr<IdleInhibitor> WindowsPowerService::InhibitIdle(const std::string& who,
                                                                const std::string& why) {
  if (shared_->inhibitors == 0 &&
      shared_->calls.set_thread_execution_state(ES_CONTINUOUS | ES_SYSTEM_REQUIRED) == 0) {
    return nullptr;
  }
  ++shared_->inhibitors;
  return std::make_unique<WindowsIdleInhibitor>(shared_);
}

}  // namespace somnara::platform
