// The frame's side of the host window's messages: the procedure it chains in front of the
// host's own, the placing of a maximised host, and the application-wide keys it watches.
#include <algorithm>

#include "framework/application.h"
#include "framework/controls/main_menu.h"
#include "framework/form.h"
#include "skin/frame/menu_short_cut.h"
#include "skin/frame/tsui_form.h"
#include "skin/frame/tsui_title_bar_popup_menu.h"
#include "skin/frame/work_area.h"

namespace somnara::skin {

namespace {

// A notification of the framework around the re-creation of a window, besides
// CM_RECREATEWND and CM_SHOWINGCHANGED: the caption style may be back after any of them.
constexpr uint32_t kRecreatedNotification = 0xBE10;

bool IsMinimized(const fw::Form& form) {
  return form.GetWindowState() == fw::WindowState::kMinimized;
}

}  // namespace

void TsuiForm::HostWndProc(fw::Message& m) {
  // Once teardown has begun the host's own procedure gets everything, untouched.
  if (detached_) {
    old_wnd_proc_(m);
    return;
  }
  if (m.msg == fw::WM_NCCALCSIZE) NcCalcSize(m);
  if (m.msg == SUIM_LEFTBORDERWIDTH) {
    m.result = left_edge_ != 0 ? std::max(left_edge_, 4) : 0;
    return;
  }
  if (m.msg != fw::WM_NCPAINT) old_wnd_proc_(m);
  // The previous procedure may have ended the frame (a close that frees the window).
  if (detached_ || title_bar_ == nullptr) return;

  switch (m.msg) {
    case fw::WM_KEYDOWN:
      m.result = IsMenuShortCut(m) ? 1 : 0;
      break;
    case fw::WM_SHOWWINDOW:
      // A frame's menu shows only in its own menu bar; the framework's forms have no system
      // menu bar that could show it a second time.
      break;
    case fw::WM_ACTIVATE:
      title_bar_->SetFormActive(fw::LoWord(intptr_t(m.wParam)) != int(fw::WA_INACTIVE));
      break;
    case fw::WM_NCPAINT:
      if (IsMinimized(*host_)) {
        old_wnd_proc_(m);
      } else {
        title_bar_->Invalidate();
        PaintFrame();
      }
      break;
    case fw::CM_RECREATEWND:
    case fw::CM_SHOWINGCHANGED:
    case kRecreatedNotification:
      StripCaption();
      break;
    case fw::WM_SIZE:
      HandleSize();
      break;
    default:
      break;
  }
}

void TsuiForm::HandleSize() {
  const bool maximized = host_->GetWindowState() == fw::WindowState::kMaximized;
  if (created_maximized_) {
    if (maximized) {
      if (GMaxCount < 2)
        ++GMaxCount;
      else
        host_->SetWindowState(fw::WindowState::kMaximized);
    } else {
      // Cleared first: going back to the first bounds sizes the host once more.
      created_maximized_ = false;
      host_->SetBounds(create_bounds_.left, create_bounds_.top, create_bounds_.Width(),
                       create_bounds_.Height());
    }
    GMdiMaxLayout = true;
  }
  if (maximized) PlaceMaximized();
  title_bar_->UpdateMaxButtons();
  title_bar_->Invalidate();
  PaintFrame();
  UpdateRegion();
}

void TsuiForm::PlaceMaximized() {
  // Just past the work area on the left, top and right, so that no border line shows, and
  // one pixel short at the bottom, so that a task bar that hides itself can still appear.
  const Rect work = WorkAreaRect();
  host_->SetBounds(work.left - 2, work.top - 2, work.Width() + 4, work.Height() + 1);
}

bool TsuiForm::AppMessageHook(fw::WinControl* target, fw::Message& m) {
  if (detached_ || title_bar_ == nullptr || target == nullptr) return false;
  // Only the frame of the window that has the keyboard answers its keys: every frame of
  // the program watches the same queue, and a hidden window's frame must not act for it.
  const fw::Form* form = dynamic_cast<fw::Form*>(target);
  if (form == nullptr) form = target->ParentForm();
  if (form != host_) return false;
  switch (m.msg) {
    case fw::WM_SYSCHAR:
      if (m.wParam != fw::VK_SPACE) return false;
      {
        const fw::Form* main = fw::App().MainForm();
        const int x = main != nullptr ? main->Left() : 0;
        const int y = (main != nullptr ? main->Top() : 0) + title_bar_->Height();
        title_bar_->PopupMenu().Popup(x, y);
      }
      return true;
    case fw::WM_KEYDOWN:
    case fw::WM_SYSKEYDOWN:
      return IsMenuShortCut(m);
    default:
      return false;
  }
}

bool TsuiForm::HostCountsAsActive() const {
  const fw::Form* main = fw::App().MainForm();
  if (main == nullptr) return host_->Active();
  // The application is active while one of its windows has the keyboard.
  if (fw::ActiveForm() == nullptr) return false;
  return host_ == main || host_->Active();
}

bool TsuiForm::IsMenuShortCut(const fw::Message& key) {
  if (detached_ || host_ == nullptr || menu_ == nullptr) return false;
  if (!HostCountsAsActive() || !host_->Active()) return false;
  return ClickMenuShortCut(menu_, key);
}

}  // namespace somnara::skin
