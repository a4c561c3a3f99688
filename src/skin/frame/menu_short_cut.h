#pragma once

#include "framework/messages.h"

namespace somnara::fw {
class Menu;
}

namespace somnara::skin {

// The menu's side of a frame's shortcut keys: for a key-down message (virtual key in
// wParam, ssShift / ssCtrl / ssAlt bits in lParam) the enabled item of `menu` whose
// shortcut it is, at any depth, is clicked. True when one was.
bool ClickMenuShortCut(fw::Menu* menu, const fw::Message& key);

}  // namespace somnara::skin
