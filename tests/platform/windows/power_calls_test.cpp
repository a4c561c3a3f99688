#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/windows/power/windows_power_service.h"
#include "platform/windows/system/wide_text.h"
#include "power/power_actions.h"

namespace somnara::platform {
namespace {

using ::testing::ElementsAre;

// What the stubbed system was asked, one line per call, and how it answers.
struct FakeSystem {
  std::vector<std::string> calls;
  DWORD open_error = ERROR_SUCCESS;
  DWORD adjust_error = ERROR_SUCCESS;
  EXECUTION_STATE execution_answer = ES_CONTINUOUS;
};
FakeSystem* g_system = nullptr;

void Note(std::string call) {
  g_system->calls.push_back(std::move(call));
}

HANDLE WINAPI FakeProcess() {
  return reinterpret_cast<HANDLE>(INT_PTR(-1));
}
BOOL WINAPI FakeOpenToken(HANDLE, DWORD access, PHANDLE token) {
  Note("OpenProcessToken " + std::to_string(access));
  SetLastError(g_system->open_error);
  *token = reinterpret_cast<HANDLE>(INT_PTR(0x1234));
  return g_system->open_error == ERROR_SUCCESS;
}
BOOL WINAPI FakeLookup(LPCWSTR system, LPCWSTR name, PLUID luid) {
  Note("LookupPrivilegeValue " + Narrow(name) + (system ? " remote" : ""));
  *luid = LUID{19, 0};
  return TRUE;
}
BOOL WINAPI FakeAdjust(HANDLE token, BOOL disable_all, PTOKEN_PRIVILEGES state, DWORD,
                       PTOKEN_PRIVILEGES previous, PDWORD) {
  Note("AdjustTokenPrivileges disable_all=" + std::to_string(disable_all) +
       " count=" + std::to_string(state->PrivilegeCount) +
       " luid=" + std::to_string(state->Privileges[0].Luid.LowPart) + " attributes=" +
       std::to_string(state->Privileges[0].Attributes) + (previous ? " previous" : ""));
  // The call succeeds even when it could not enable everything; only the last error says so.
  SetLastError(g_system->adjust_error);
  return TRUE;
}
BOOL WINAPI FakeClose(HANDLE handle) {
  Note(handle == reinterpret_cast<HANDLE>(INT_PTR(0x1234)) ? "CloseHandle token" : "CloseHandle ?");
  return TRUE;
}
BOOLEAN WINAPI FakeSuspend(BOOLEAN hibernate, BOOLEAN force, BOOLEAN no_wake) {
  Note("SetSuspendState " + std::to_string(hibernate) + " " + std::to_string(force) + " " +
       std::to_string(no_wake));
  return TRUE;
}
BOOL WINAPI FakeExit(UINT flags, DWORD reason) {
  Note("ExitWindowsEx " + std::to_string(flags) + " " + std::to_string(reason));
  return TRUE;
}
EXECUTION_STATE WINAPI FakeExecutionState(EXECUTION_STATE state) {
  Note("SetThreadExecutionState " + std::to_string(state));
  return g_system->execution_answer;
}

class WindowsPowerTest : public ::testing::Test {
 protected:
  WindowsPowerTest()
      : service_({&FakeProcess, &FakeOpenToken, &FakeLookup, &FakeAdjust, &FakeClose, &FakeSuspend,
                  &FakeExit, &FakeExecutionState}) {
    g_system = &system_;
    Services services;
    services.power = &service_;
    Install(services);
  }
  ~WindowsPowerTest() override {
    Install(Services{});
    g_system = nullptr;
  }

  FakeSystem system_;
  WindowsPowerService service_;
};

TEST_F(WindowsPowerTest, ShutDownsEnableThePrivilegeThenAskWithTheirFlags) {
  power::PowerShutDownForced();
  EXPECT_THAT(system_.calls,
              ElementsAre("OpenProcessToken 40", "LookupPrivilegeValue SeShutdownPrivilege",
                          "AdjustTokenPrivileges disable_all=0 count=1 luid=19 attributes=2",
                          "CloseHandle token", "ExitWindowsEx 13 0"));
  system_.calls.clear();
  power::PowerShutDown();
  EXPECT_EQ(system_.calls.back(), "ExitWindowsEx 9 0");
}

TEST_F(WindowsPowerTest, StandByAndHibernateSuspendAfterThePrivilege) {
  power::PowerStandBy();
  EXPECT_THAT(system_.calls,
              ElementsAre("OpenProcessToken 32", "LookupPrivilegeValue SeShutDownPrivilege",
                          "AdjustTokenPrivileges disable_all=0 count=1 luid=19 attributes=2",
                          "CloseHandle token", "SetSuspendState 0 0 0"));
  system_.calls.clear();
  power::PowerHibernate();
  EXPECT_EQ(system_.calls.back(), "SetSuspendState 1 0 0");
}

TEST_F(WindowsPowerTest, RefusedPrivilegeIsReportedAndTheRequestStillGoesOut) {
  system_.open_error = ERROR_ACCESS_DENIED;
  ::testing::internal::CaptureStdout();
  power::PowerShutDown();
  const std::string printed = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(printed, "Cannot open process token. [" + SystemErrorText(ERROR_ACCESS_DENIED) + "]\n");
  EXPECT_FALSE(SystemErrorText(ERROR_ACCESS_DENIED).empty());
  EXPECT_THAT(system_.calls, ElementsAre("OpenProcessToken 40", "ExitWindowsEx 9 0"));

  // Granted in part is not granted.
  system_.open_error = ERROR_SUCCESS;
  system_.adjust_error = ERROR_NOT_ALL_ASSIGNED;
  system_.calls.clear();
  EXPECT_FALSE(power::EnableShutdownPrivilege(true, PowerAction::kStandBy));
  ::testing::internal::CaptureStdout();
  power::PowerShutDownForced();
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "Error adjusting process privileges.\n");
  EXPECT_EQ(system_.calls.back(), "ExitWindowsEx 13 0");
}

TEST_F(WindowsPowerTest, IdleInhibitorsHoldTheSystemAwakeUntilTheLastGoes) {
  const std::string awake = std::to_string(ES_CONTINUOUS | ES_SYSTEM_REQUIRED);
  const std::string released = std::to_string(ES_CONTINUOUS);
  auto first = service_.InhibitIdle("Somnara", "night");
  auto second = service_.InhibitIdle("Somnara", "night");
  ASSERT_TRUE(first && second);
  first.reset();
  EXPECT_THAT(system_.calls, ElementsAre("SetThreadExecutionState " + awake));
  second.reset();
  EXPECT_THAT(system_.calls, ElementsAre("SetThreadExecutionState " + awake,
                                         "SetThreadExecutionState " + released));

  system_.execution_answer = 0;  // refused
  EXPECT_EQ(service_.InhibitIdle("Somnara", "night"), nullptr);
}

}  // namespace
}  // namespace somnara::platform
