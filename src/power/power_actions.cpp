#include "power/power_actions.h"

#include <iostream>
#include <string>

#include "platform/platform.h"

namespace somnara::power {

bool ForceSwitch = false;
bool PowerOffSwitch = false;

namespace {

using platform::PowerAction;
using platform::PowerService;
using platform::PowerStepResult;

// The system's message buffer holds this many characters.
constexpr std::size_t kMaxSystemText = 512;

PowerService* Service() {
  return platform::Current().power;
}

// The system's wording of a failure, as far as its message buffer would hold it.
std::string SystemText(const PowerStepResult& result) {
  std::string text = result.text.substr(0, result.text.find('\0'));
  if (text.size() > kMaxSystemText) {
    std::size_t cut = kMaxSystemText;
    // Never leave half a UTF-8 sequence at the end of the line.
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    text.resize(cut);
  }
  return text;
}

// The power actions' only channel for failures: a line on standard output, flushed
// at once because the request that follows may end the process.
void Report(const std::string& line) {
  std::cout << line << std::endl;
}

}  // namespace

bool EnableShutdownPrivilege(bool enable, PowerAction action) {
  PowerService* service = Service();
  if (!service) return false;
  PowerStepResult error;
  auto token = service->OpenProcessToken(PowerService::kTokenAdjustPrivileges, &error);
  if (!token) return false;
  // Without the privilege's identifier there is nothing to enable: adjusting would
  // only fail, so give up here.
  if (!token->LookupPrivilegeValue("SeShutDownPrivilege", action).ok()) return false;
  return token->AdjustTokenPrivileges(enable).ok();
}

// The steps may wait on the system; the service decides where they run.
void PowerStandBy() {
  if (PowerService* service = Service()) {
    service->Carry([service] {
      EnableShutdownPrivilege(true, PowerAction::kStandBy);
      service->SetSystemPowerState(true, true);
    });
  }
}

void PowerHibernate() {
  if (PowerService* service = Service()) {
    service->Carry([service] {
      EnableShutdownPrivilege(true, PowerAction::kHibernate);
      service->SetSystemPowerState(false, true);
    });
  }
}

void PowerShutDown() {
  ForceSwitch = false;
  PowerOffSwitch = true;
  ShutDownSystem();
}

void PowerShutDownForced() {
  PowerOffSwitch = true;
  ForceSwitch = true;
  ShutDownSystem();
}

void ShutDownSystem() {
  PowerService* service = Service();
  if (!service) return;

  uint32_t flags = PowerService::kEwxShutdown;
  if (ForceSwitch) flags += PowerService::kEwxForce;
  if (PowerOffSwitch) flags += PowerService::kEwxPowerOff;

  service->Carry([service, flags] {
    if (service->PlatformId() == PowerService::kPlatformNt) {
      PowerStepResult error;
      auto token = service->OpenProcessToken(
          PowerService::kTokenAdjustPrivileges + PowerService::kTokenQuery, &error);
      if (!token) {
        Report("Cannot open process token. [" + SystemText(error) + "]");
      } else if (PowerStepResult lookup =
                     token->LookupPrivilegeValue("SeShutdownPrivilege", PowerAction::kPowerOff);
                 !lookup.ok()) {
        Report("Cannot find privilege value. [" + SystemText(lookup) + "]");
      } else if (!token->AdjustTokenPrivileges(true).ok()) {
        Report("Error adjusting process privileges.");
      }
    }

    // The request goes out whatever the privilege steps said: the system has the last word.
    service->ExitWindowsEx(flags, 0);
  });
}

}  // namespace somnara::power
