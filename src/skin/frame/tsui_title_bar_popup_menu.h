#pragma once

#include "skin/frame/tsui_popup_menu.h"

namespace somnara::fw {
class MenuItem;
}

namespace somnara::skin {

class TsuiTitleBar;

// The window menu of a title bar (control box, Alt+Space): minimise, maximise or restore,
// close. Each item is enabled when the menu opens only if the title bar shows the button
// that does the same.
class TsuiTitleBarPopupMenu : public TsuiPopupMenu {
 public:
  explicit TsuiTitleBarPopupMenu(TsuiTitleBar& title_bar);
  ~TsuiTitleBarPopupMenu() override;

  void Popup(int x, int y) override;

  fw::MenuItem& MinimizeItem() const { return *Item(0); }
  fw::MenuItem& MaximizeItem() const { return *Item(1); }
  fw::MenuItem& CloseItem() const { return *Item(3); }

 private:
  void UpdateItems();
  void MinimizeClick();
  void MaximizeClick();
  void CloseClick();

  TsuiTitleBar& title_bar_;
};

}  // namespace somnara::skin
