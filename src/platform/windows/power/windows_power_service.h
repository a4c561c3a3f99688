#pragma once

#include <windows.h>
// The interface's privilege step has the name the system gives its own call as a macro.
#undef LookupPrivilegeValue

#include <memory>
#include <string>

#include "platform/power_service.h"

namespace somnara::platform {

// The system calls behind the power service, real by default. A test puts its own in their
// place to see what would be asked of the system, without a real stand-by or shut-down.
struct WindowsPowerCalls {
  HANDLE(WINAPI* get_current_process)();
  BOOL(WINAPI* open_process_token)(HANDLE process, DWORD access, PHANDLE token);
  BOOL(WINAPI* lookup_privilege_value)(LPCWSTR system, LPCWSTR name, PLUID luid);
  BOOL(WINAPI* adjust_token_privileges)
  (HANDLE token, BOOL disable_all, PTOKEN_PRIVILEGES state, DWORD buffer_length,
   PTOKEN_PRIVILEGES previous, PDWORD return_length);
  BOOL(WINAPI* close_handle)(HANDLE handle);
  BOOLEAN(WINAPI* set_suspend_state)(BOOLEAN hibernate, BOOLEAN force, BOOLEAN no_wake_events);
  BOOL(WINAPI* exit_windows_ex)(UINT flags, DWORD reason);
  EXECUTION_STATE(WINAPI* set_thread_execution_state)(EXECUTION_STATE state);

  static WindowsPowerCalls Real();
};

// Power requests with the system's own steps: the shut-down privilege of the process token,
// then stand-by or hibernate through the power manager's suspend call, and shut-down with
// the program's flags as they are. Every request runs at once on the caller's thread; a
// stand-by returns once the machine is awake again, and the night's countdown goes on.
//
// The idle inhibitor is the calling thread's execution state: the system stays awake while
// any inhibitor lives, the display may still go off. Take and release inhibitors on the
// same thread (the interface thread).
class WindowsPowerService : public PowerService {
 public:
  explicit WindowsPowerService(WindowsPowerCalls calls = WindowsPowerCalls::Real());

  uint32_t PlatformId() override;
  std::unique_ptr<ProcessToken> OpenProcessToken(uint32_t desired_access,
                                                 PowerStepResult* error) override;
  // `force` is not passed on: the system has ignored it since stand-by came to ask
  // nobody's consent, and a program that keeps the machine awake for good reason wins.
  bool SetSystemPowerState(bool suspend, bool force) override;
  bool ExitWindowsEx(uint32_t flags, uint32_t reserved) override;
  std::unique_ptr<IdleInhibitor> InhibitIdle(const std::string& who,
                                             const std::string& why) override;

  // What the service and its inhibitors share.
  struct Shared;

 private:
  std::shared_ptr<Shared> shared_;
};

}  // namespace somnara::platform
