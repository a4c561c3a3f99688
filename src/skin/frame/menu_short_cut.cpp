#include "skin/frame/menu_short_cut.h"

#include "framework/controls/menu.h"

namespace somnara::skin {

bool ClickMenuShortCut(fw::Menu* menu, const fw::Message& key) {
  if (menu == nullptr || (key.msg != fw::WM_KEYDOWN && key.msg != fw::WM_SYSKEYDOWN)) return false;
  return menu->IsShortCut(uint32_t(key.wParam), unsigned(key.lParam));
}

}  // namespace somnara::skin
