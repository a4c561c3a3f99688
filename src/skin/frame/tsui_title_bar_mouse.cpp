// The title bar's mouse work: hover and pressed pictures follow the pointer, a release on
// the button pressed clicks it, a press elsewhere moves the window, a double click
// maximises or restores.
#include "framework/application.h"
#include "framework/controls/popup_menu.h"
#include "framework/form.h"
#include "platform/window_system.h"
#include "skin/frame/tsui_title_bar.h"
#include "skin/frame/tsui_title_bar_popup_menu.h"

namespace somnara::skin {

void TsuiTitleBar::WndProc(fw::Message& m) {
  switch (m.msg) {
    case fw::WM_ERASEBKGND:
      // Paint covers every pixel.
      m.result = 1;
      return;
    case fw::CM_FONTCHANGED:
      Repaint();
      break;
    case fw::WM_NCLBUTTONDOWN:
    case fw::WM_NCLBUTTONUP:
    case fw::WM_NCMOUSEMOVE:
      if (fw::Form* form = ParentForm()) m.result = form->Perform(m.msg, m.wParam, m.lParam);
      return;
    case fw::WM_LBUTTONDBLCLK:
      if (Enabled()) DblClick();
      break;
    default:
      break;
  }
  fw::Panel::WndProc(m);
}

void TsuiTitleBar::MouseDown(fw::MouseButton button, unsigned shift, int x, int y) {
  fw::Panel::MouseDown(button, shift, x, y);
  if (button != fw::MouseButton::kLeft) return;
  pressed_ = true;
  hot_index_ = ButtonAt({x, y});
  Repaint();
  if (hot_index_ >= 0) return;
  fw::Form* form = ParentForm();
  if (form == nullptr || form->GetWindowState() == fw::WindowState::kMaximized) return;
  // Away from the buttons the press moves the window, as a press on a caption does.
  SetMouseCapture(false);
  const Point screen = ClientToScreen({x, y});
  form->Perform(fw::WM_NCLBUTTONDOWN, uintptr_t(fw::HTCAPTION), fw::MakeLParam(screen.x, screen.y));
  pressed_ = false;
}

void TsuiTitleBar::MouseMove(unsigned shift, int x, int y) {
  fw::Panel::MouseMove(shift, x, y);
  hot_index_ = ButtonAt({x, y});
  Repaint();
}

void TsuiTitleBar::MouseLeave() {
  fw::Panel::MouseLeave();
  hot_index_ = -1;
  Repaint();
}

void TsuiTitleBar::MouseUp(fw::MouseButton button, unsigned shift, int x, int y) {
  fw::Panel::MouseUp(button, shift, x, y);
  if (button != fw::MouseButton::kLeft) return;
  hot_index_ = ButtonAt({x, y});
  const int index = hot_index_;
  const bool was_pressed = pressed_;
  pressed_ = false;
  Repaint();
  if (!was_pressed || index < 0) return;
  TsuiTitleBarButton& b = buttons_.Item(index);
  if (b.ButtonType() == TsuiTitleBarBtnType::suiControlBox && b.ControlBoxMenu() == nullptr) {
    const Point at = ClientToScreen({0, Height()});
    popup_menu_->Popup(at.x, at.y);
    return;
  }
  const TsuiTitleBarBtnType type = b.ButtonType();
  b.DoClick();
  if (type == TsuiTitleBarBtnType::suiCustom && OnCustomBtnsClick) OnCustomBtnsClick(this, index);
  if (type == TsuiTitleBarBtnType::suiHelp && OnHelpBtnClick) OnHelpBtnClick(this, index);
}

void TsuiTitleBar::DblClick() {
  const int index = ButtonAt(ScreenToClient(fw::App().Windows().CursorPos()));
  if (index < 0) {
    for (int i = 0; i < buttons_.Count(); ++i) {
      TsuiTitleBarButton& b = buttons_.Item(i);
      if (b.Visible() && b.ButtonType() == TsuiTitleBarBtnType::suiMax) {
        b.DoClick();
        return;
      }
    }
    return;
  }
  if (buttons_.Item(index).ButtonType() == TsuiTitleBarBtnType::suiControlBox)
    if (fw::Form* form = ParentForm()) form->Close();
}

}  // namespace somnara::skin
