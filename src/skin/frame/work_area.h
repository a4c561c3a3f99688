#pragma once

#include "platform/geometry.h"

namespace somnara::skin {

// Where a maximised skinned window goes: the work area of the monitor nearest the
// application's main window, or the desktop's primary work area without a main window.
Rect WorkAreaRect();

}  // namespace somnara::skin
