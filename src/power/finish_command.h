#pragma once

namespace somnara::power {

// Carries out the end-of-night command chosen in the wizard: 1 stand-by,
// 2 hibernate, 3 shut down, 4 forced shut down. 0 and every other value do nothing.
void CarryOutFinishCommand(int finish_command);

}  // namespace somnara::power
