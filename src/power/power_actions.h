#pragma once

#include "platform/power_service.h"

namespace somnara::power {

// Both false at start. The shut-down operations set them just before calling
// ShutDownSystem, and they keep their values afterwards.
extern bool ForceSwitch;     // adds kEwxForce
extern bool PowerOffSwitch;  // adds kEwxPowerOff

// Enables (or disables) the shut-down privilege for `action`; true on success.
// Callers go on to their request whatever it returns.
bool EnableShutdownPrivilege(bool enable,
                             platform::PowerAction action = platform::PowerAction::kPowerOff);

void PowerStandBy();
void PowerHibernate();
void PowerShutDown();
void PowerShutDownForced();

// Builds the shut-down flags from the switches, enables the privilege where the
// platform asks for it (reporting each failure as a line on standard output) and
// makes the request in any case.
void ShutDownSystem();

}  // namespace somnara::power
