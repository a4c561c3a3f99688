#include "skin/frame/tsui_title_bar_popup_menu.h"

#include "framework/controls/menu_item.h"
#include "framework/form.h"
#include "skin/frame/tsui_title_bar.h"

namespace somnara::skin {

TsuiTitleBarPopupMenu::TsuiTitleBarPopupMenu(TsuiTitleBar& title_bar)
    : TsuiPopupMenu(nullptr), title_bar_(title_bar) {
  struct Entry {
    const char* caption;
    void (TsuiTitleBarPopupMenu::*click)();
  };
  const Entry entries[] = {{"最小化(&N)", &TsuiTitleBarPopupMenu::MinimizeClick},
                           {"最大化/还原(&X)", &TsuiTitleBarPopupMenu::MaximizeClick},
                           {"-", nullptr},
                           {"关闭(&C)", &TsuiTitleBarPopupMenu::CloseClick}};
  for (const Entry& e : entries) {
    auto* item = new fw::MenuItem(this);
    item->SetCaption(e.caption);
    if (e.click != nullptr)
      item->OnClick = [this, click = e.click](fw::Component*) { (this->*click)(); };
    Add(item);
  }
}

TsuiTitleBarPopupMenu::~TsuiTitleBarPopupMenu() {
  BeginDestruction();
}

void TsuiTitleBarPopupMenu::Popup(int x, int y) {
  UpdateItems();
  TsuiPopupMenu::Popup(x, y);
}

void TsuiTitleBarPopupMenu::UpdateItems() {
  const TsuiTitleBarButtons& buttons = title_bar_.Buttons();
  MinimizeItem().SetEnabled(buttons.HasVisible(TsuiTitleBarBtnType::suiMin));
  MaximizeItem().SetEnabled(buttons.HasVisible(TsuiTitleBarBtnType::suiMax));
  CloseItem().SetEnabled(buttons.HasVisible(TsuiTitleBarBtnType::suiClose));
}

void TsuiTitleBarPopupMenu::MinimizeClick() {
  title_bar_.MinimizeForm();
}

void TsuiTitleBarPopupMenu::MaximizeClick() {
  TsuiTitleBarButtons& buttons = title_bar_.Buttons();
  for (int i = 0; i < buttons.Count(); ++i) {
    TsuiTitleBarButton& b = buttons.Item(i);
    if (b.Visible() && b.ButtonType() == TsuiTitleBarBtnType::suiMax) b.DoClick();
  }
}

void TsuiTitleBarPopupMenu::CloseClick() {
  if (fw::Form* form = title_bar_.ParentForm()) form->Close();
}

}  // namespace somnara::skin
