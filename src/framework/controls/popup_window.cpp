#include "framework/controls/popup_window.h"

#include <algorithm>

#include "framework/application.h"
#include "framework/controls/draw_helpers.h"
#include "framework/graphics/canvas.h"
#include "platform/window_system.h"

namespace somnara::fw {

const ClassInfo& PopupWindow::StaticClassInfo() {
  static const ClassInfo info("TPopupWindow", &Form::StaticClassInfo());
  return info;
}

PopupWindow::PopupWindow(Component* owner) : Form(owner) {
  SetBorderStyle(fw::BorderStyle::kNone);
  SetBorderIcons(0);
  SetFormStyle(fw::FormStyle::kStayOnTop);
  SetNeverBlocked(true);
  SetColor(clMenu);
  SetFont(Font());
}

PopupWindow::~PopupWindow() {
  BeginDestruction();
}

void PopupWindow::PopupAt(Rect bounds, int flip_top) {
  Size screen = App().Windows().ScreenSize();
  int w = bounds.Width(), h = bounds.Height();
  int x = std::clamp(bounds.left, 0, std::max(0, screen.width - w));
  int y = bounds.top;
  if (y + h > screen.height) y = flip_top >= 0 ? flip_top : screen.height - h;
  y = std::max(0, y);
  SetBounds(x, y, w, h);

  // Opened again while open, it keeps the window the keyboard goes back to.
  Form* previous = ActiveForm();
  if (!open_ && previous != this) {
    if (return_form_ != nullptr) return_form_->RemoveFreeNotification(this);
    return_form_ = previous;
    if (return_form_ != nullptr) return_form_->FreeNotification(this);
  }
  hot_ = -1;
  tracking_ = false;
  open_ = true;
  Show();
  SetMouseCapture(true);
  Invalidate();
}

void PopupWindow::CloseUp(bool restore_focus) {
  if (!open_) return;
  open_ = false;
  SetMouseCapture(false);
  Hide();
  if (restore_focus && return_form_ != nullptr && return_form_->Visible()) return_form_->Show();
  Closed();
}

void PopupWindow::Notification(Component* component, Operation operation) {
  Form::Notification(component, operation);
  if (operation == Operation::kRemove && component == return_form_) return_form_ = nullptr;
}

void PopupWindow::SetHotIndex(int index) {
  if (index < -1 || index >= ItemCount()) index = -1;
  if (index >= 0 && !ItemSelectable(index)) index = -1;
  if (index == hot_) return;
  hot_ = index;
  if (hot_ >= 0) ScrollIntoView(hot_);
  Invalidate();
}

int PopupWindow::ItemAt(Point p) const {
  for (int i = 0; i < ItemCount(); ++i)
    if (ItemRect(i).Contains(p)) return i;
  return -1;
}

int PopupWindow::NextSelectable(int from, int step) const {
  int n = ItemCount();
  if (n == 0) return -1;
  int i = from;
  for (int tries = 0; tries < n; ++tries) {
    i = i < 0 ? (step > 0 ? 0 : n - 1) : (i + step + n) % n;
    if (ItemSelectable(i)) return i;
  }
  return -1;
}

void PopupWindow::Choose(int index) {
  if (index < 0 || index >= ItemCount() || !ItemSelectable(index) || !ItemEnabled(index)) return;
  CloseUp(true);
  ItemChosen(index);
}

void PopupWindow::KeyDown(uint32_t& key, unsigned shift) {
  if (!open_) return;
  switch (key) {
    case VK_UP:
      SetHotIndex(NextSelectable(hot_, -1));
      break;
    case VK_DOWN:
      SetHotIndex(NextSelectable(hot_, 1));
      break;
    case VK_RETURN:
      if (hot_ >= 0)
        Choose(hot_);
      else
        CloseUp(true);
      break;
    case VK_ESCAPE:
      CloseUp(true);
      break;
    default:
      if (!OtherKey(key, shift)) return;
      break;
  }
  key = 0;
}

void PopupWindow::KeyPress(char32_t& key) {
  if (open_ && CharKey(key)) key = 0;
}

void PopupWindow::HandleMouse(Message& m) {
  Point p{XFromLParam(m.lParam), YFromLParam(m.lParam)};
  bool inside = ClientRect().Contains(p);
  switch (m.msg) {
    case WM_MOUSEMOVE:
      if (inside) {
        tracking_ = true;
        SetHotIndex(ItemAt(p));
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!inside) {
        CloseUp(false);
        break;
      }
      tracking_ = true;
      if (ItemAt(p) < 0)
        PressedBesideItems(p);
      else
        SetHotIndex(ItemAt(p));
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      // A release right after opening (the press that opened the window) chooses nothing.
      if (inside && tracking_) {
        int index = ItemAt(p);
        if (index >= 0) Choose(index);
      }
      break;
    default:
      break;
  }
}

void PopupWindow::WndProc(Message& m) {
  switch (m.msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_LBUTTONDBLCLK:
      if (open_) HandleMouse(m);
      return;
    case WM_ACTIVATE:
      Form::WndProc(m);
      if (LoWord(intptr_t(m.wParam)) == WA_INACTIVE && open_) CloseUp(false);
      return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
      return;
    default:
      break;
  }
  Form::WndProc(m);
}

void PopupWindow::DrawFrame(Canvas& canvas, const Rect& client) {
  Rect r = client;
  Frame3D(canvas, r, cl3DLight, cl3DDkShadow, 1);
  Frame3D(canvas, r, clBtnHighlight, clBtnShadow, 1);
}

void PopupWindow::Paint() {
  Canvas& c = GetCanvas();
  Rect client = ClientRect();
  c.Brush().SetColor(GetColor());
  c.FillRect(client);
  for (int i = 0; i < ItemCount(); ++i) {
    Rect r = ItemRect(i);
    if (r.IsEmpty()) continue;
    c.Font() = GetFont();
    c.Brush() = Brush();
    c.Pen() = Pen();
    DrawItem(c, i, r, i == hot_);
  }
  c.Brush() = Brush();
  c.Pen() = Pen();
  DrawFrame(c, client);
  Form::Paint();
}

}  // namespace somnara::fw
