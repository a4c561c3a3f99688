// The frame's menu bar: the frame's menu shown as a flat tool bar under the title bar,
// one button per top-level item, drawn in the skin's colours.
#include <utility>
#include <vector>

#include "framework/controls/main_menu.h"
#include "framework/controls/menu.h"
#include "framework/controls/menu_item.h"
#include "framework/controls/tool_button.h"
#include "skin/frame/menu_bar_painter.h"
#include "skin/frame/tsui_form.h"
#include "skin/frame/tsui_main_menu.h"

namespace somnara::skin {

void TsuiForm::SetMenu(fw::MainMenu* menu) {
  if (auto* skinned = dynamic_cast<TsuiMainMenu*>(menu_)) skinned->SetMenuBarHost(nullptr);
  if (menu_ != nullptr && menu_ != menu) menu_->RemoveFreeNotification(this);
  menu_ = menu;
  if (menu_ == nullptr) {
    DestroyMenuBar();
    return;
  }
  menu_->FreeNotification(this);
  if (auto* skinned = dynamic_cast<TsuiMainMenu*>(menu_)) skinned->SetMenuBarHost(this);
  if (menu_bar_ == nullptr) CreateMenuBar();
  RebuildMenuBar();
  // The title bar stays above the menu bar.
  if (title_bar_ != nullptr) title_bar_->SetTop(0);
}

void TsuiForm::CreateMenuBar() {
  if (menu_bar_ != nullptr) return;
  menu_bar_ = new TsuiMenuBar(this);
  menu_bar_->SetParent(this);
  menu_bar_->SetAlign(fw::Align::kTop);
  menu_bar_->SetFlat(true);
  menu_bar_->SetEdgeBorders(false);
  menu_bar_->SetShowCaptions(true);
  menu_bar_->SetButtonHeight(menu_bar_height_);
  menu_bar_->SetHeight(menu_bar_height_);
  menu_bar_->SetColor(menu_bar_color_);
  menu_bar_->SetWrapable(true);
  menu_bar_->SetAutoSize(true);
  menu_bar_->OnCustomDrawButton = [this](fw::ToolBar* bar, fw::ToolButton* button, unsigned state,
                                         bool& default_draw) {
    DrawMenuBarButton(bar, button, state, default_draw);
  };
  menu_bar_->OnCustomDraw = [this](fw::ToolBar* bar, const Rect& rect, bool& default_draw) {
    DrawMenuBarBack(bar, rect, default_draw);
  };
  if (title_bar_ != nullptr) title_bar_->SetTop(0);
}

void TsuiForm::DestroyMenuBar() {
  delete std::exchange(menu_bar_, nullptr);
  if (menu_ != nullptr) {
    if (auto* skinned = dynamic_cast<TsuiMainMenu*>(menu_)) skinned->SetMenuBarHost(nullptr);
    menu_->RemoveFreeNotification(this);
    menu_ = nullptr;
  }
}

void TsuiForm::RebuildMenuBar() {
  if (menu_ == nullptr) {
    DestroyMenuBar();
    return;
  }
  if (menu_bar_ == nullptr) return;
  menu_bar_->SetAutoSize(false);
  if (auto* skinned = dynamic_cast<TsuiMainMenu*>(menu_)) {
    fw::Font font = menu_bar_->GetFont();
    if (skinned->UseSystemFont())
      font = fw::SystemMenuFont();
    else
      font.SetSize(skinned->FontSize());
    menu_bar_->SetFont(font);
  }
  for (fw::ToolButton* button : std::vector<fw::ToolButton*>(menu_bar_->Buttons())) delete button;
  // A new button goes in front of the others, so the last item comes first.
  for (int i = menu_->Count() - 1; i >= 0; --i) {
    auto* button = new fw::ToolButton(menu_bar_);
    button->SetParent(menu_bar_);
    button->SetGrouped(true);
    button->SetMenuItem(menu_->Item(i));
    button->SetAutoSize(true);
  }
  menu_bar_->SetAutoSize(true);
}

void TsuiForm::SyncMenuBar() {
  if (menu_bar_ == nullptr) return;
  for (fw::ToolButton* button : menu_bar_->Buttons())
    if (button->MenuItem() != nullptr) button->SyncWithMenuItem();
}

void TsuiForm::ApplyMenuBarFont() {
  if (menu_bar_ == nullptr) return;
  auto* skinned = dynamic_cast<TsuiMainMenu*>(menu_);
  fw::Font font = fw::SystemMenuFont();
  if (skinned != nullptr && !skinned->UseSystemFont()) {
    font.SetName(skinned->FontName());
    font.SetSize(skinned->FontSize());
    font.SetCharset(skinned->FontCharset());
  }
  menu_bar_->SetFont(font);
  menu_bar_->Invalidate();
}

void TsuiForm::DrawMenuBarButton(fw::ToolBar*, fw::ToolButton* button, unsigned state,
                                 bool& default_draw) {
  default_draw = false;
  const MenuBarLook look = MenuBarLookOf(menu_, ui_style_, file_theme_);
  DrawMenuBarItem(look, button->GetCanvas(), button->ClientRect(), button->Caption(), state);
}

void TsuiForm::DrawMenuBarBack(fw::ToolBar* bar, const Rect& rect, bool&) {
  const MenuBarLook look = MenuBarLookOf(menu_, ui_style_, file_theme_);
  DrawMenuBarBackground(look, bar->GetCanvas(), rect);
}

}  // namespace somnara::skin
