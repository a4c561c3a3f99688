#include "power/finish_command.h"

#include "power/power_actions.h"

namespace somnara::power {

void CarryOutFinishCommand(int finish_command) {
  switch (finish_command) {
    case 1:
      PowerStandBy();
      break;
    case 2:
      PowerHibernate();
      break;
    case 3:
      PowerShutDown();
      break;
    case 4:
      PowerShutDownForced();
      break;
    default:  // 0 "DoNothing", and anything the settings file may hold besides
      break;
  }
}

}  // namespace somnara::power
