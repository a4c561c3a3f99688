#pragma once

#include "framework/controls/popup_menu.h"
#include "skin/styles/tsui_ui_style.h"

namespace somnara::fw {
class MenuItem;
}

namespace somnara::skin {

class TsuiFileTheme;
class TsuiTitleBar;

// The window menu of a title bar (control box, Alt+Space): minimise, maximise or restore,
// close. Each item is enabled when the menu opens only if the title bar shows the button
// that does the same.
class TsuiTitleBarPopupMenu : public fw::PopupMenu {
 public:
  explicit TsuiTitleBarPopupMenu(TsuiTitleBar& title_bar);
  ~TsuiTitleBarPopupMenu() override;

  void Popup(int x, int y) override;

  TsuiUIStyle UIStyle() const { return ui_style_; }
  void SetUIStyle(TsuiUIStyle style) { ui_style_ = style; }
  TsuiFileTheme* FileTheme() const { return file_theme_; }
  void SetFileTheme(TsuiFileTheme* theme) { file_theme_ = theme; }

  fw::MenuItem& MinimizeItem() const { return *Item(0); }
  fw::MenuItem& MaximizeItem() const { return *Item(1); }
  fw::MenuItem& CloseItem() const { return *Item(3); }

 private:
  void UpdateItems();
  void MinimizeClick();
  void MaximizeClick();
  void CloseClick();

  TsuiTitleBar& title_bar_;
  TsuiUIStyle ui_style_ = TsuiUIStyle::DeepBlue;
  TsuiFileTheme* file_theme_ = nullptr;
};

}  // namespace somnara::skin
