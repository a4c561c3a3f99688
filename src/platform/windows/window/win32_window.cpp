#include "platform/windows/window/win32_window.h"

#include <algorithm>
#include <cstring>

#include "platform/windows/system/wide_text.h"
#include "platform/windows/window/win32_api.h"
#include "platform/windows/window/win32_window_system.h"

namespace somnara::platform {

extern const wchar_t kWin32WindowClass[];

namespace {

constexpr int kMaxSide = 32767;

Rect Sanitize(const Rect& r) {
  const int left = std::clamp(r.left, -kMaxSide, kMaxSide);
  const int top = std::clamp(r.top, -kMaxSide, kMaxSide);
  const int width = std::clamp(r.right - r.left, 1, kMaxSide);
  const int height = std::clamp(r.bottom - r.top, 1, kMaxSide);
  return Rect::FromSize(left, top, width, height);
}

// Mouse messages pack the client position as two signed 16-bit halves of the low 32 bits,
// whatever the width of LPARAM: taken apart explicitly so that a 64-bit build reads
// negative positions (a pointer left of a captured window) exactly as a 32-bit one does.
Point PointFromLParam(intptr_t lparam) {
  const uint32_t packed = uint32_t(uintptr_t(lparam));
  return {int(int16_t(uint16_t(packed & 0xFFFF))), int(int16_t(uint16_t(packed >> 16)))};
}

unsigned CurrentModifiers() {
  unsigned m = 0;
  if (GetKeyState(VK_SHIFT) < 0) m |= kShift;
  if (GetKeyState(VK_CONTROL) < 0) m |= kCtrl;
  if (GetKeyState(VK_MENU) < 0) m |= kAlt;
  return m;
}

MouseButtons HeldFromWParam(uintptr_t wparam) {
  MouseButtons held;
  held.left = (wparam & MK_LBUTTON) != 0;
  held.right = (wparam & MK_RBUTTON) != 0;
  held.middle = (wparam & MK_MBUTTON) != 0;
  return held;
}

// The primary button as the user set it up (left and right may be swapped).
bool PrimaryButtonDown() {
  const int key = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
  return (GetAsyncKeyState(key) & 0x8000) != 0;
}

}  // namespace

Win32Window::Win32Window(Win32WindowSystem* system, const NativeWindowOptions& options,
                         NativeWindowListener* listener)
    : system_(system), listener_(listener) {
  stay_on_top_ = options.stay_on_top;
  if (options.full_screen) {
    const Size screen = system_->ScreenSize();
    bounds_ = Rect::FromSize(0, 0, screen.width, screen.height);
  } else {
    bounds_ = Sanitize(options.bounds);
  }
  owner_ = dynamic_cast<Win32Window*>(options.owner);
  if (owner_ && owner_->system_ != system_) owner_ = nullptr;
  // No caption or border of the desktop's; the system menu and minimize box only let the
  // taskbar minimize and restore the window.
  const DWORD style = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX;
  applied_on_top_ = system_->EffectiveOnTop(this);
  const DWORD ex_style = applied_on_top_ ? WS_EX_TOPMOST : 0;
  const std::wstring title = Widen(options.title);
  hwnd_ = CreateWindowExW(
      ex_style, kWin32WindowClass, title.c_str(), style, bounds_.left, bounds_.top, bounds_.Width(),
      bounds_.Height(), owner_ ? owner_->hwnd_ : nullptr, nullptr, GetModuleHandleW(nullptr), this);
  system_->Register(this);
}

Win32Window::~Win32Window() {
  if (!system_) return;
  Win32WindowSystem* system = system_;
  // The desktop destroys a window's owned windows with it; the framework's windows live
  // on, unowned, as on every other desktop.
  for (Win32Window* w : system->windows())
    if (w->owner_ == this) w->SetOwner(nullptr);
  Detach();
  system->Unregister(this);
}

void Win32Window::Detach() {
  if (!system_) return;
  // Owners are enabled before the window goes, so the desktop activates one of them and
  // not another program's window.
  if (modal_) SetModal(false);
  if (dragging_ || captured_) ReleaseOwnCapture();
  dragging_ = captured_ = false;
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  system_ = nullptr;
}

void Win32Window::Forget(Win32Window* gone) {
  if (owner_ == gone) owner_ = nullptr;
  disabled_owners_.erase(std::remove(disabled_owners_.begin(), disabled_owners_.end(), gone),
                         disabled_owners_.end());
}

void Win32Window::Queue(const InputEvent& event) {
  system_->Queue(hwnd_, event);
}

void Win32Window::SetTitle(const std::string& title) {
  if (!system_) return;
  SetWindowTextW(hwnd_, Widen(title).c_str());
}

void Win32Window::SetBounds(const Rect& bounds) {
  if (!system_) return;
  const Rect wanted = Sanitize(bounds);
  if (wanted == bounds_) return;
  // Known before the desktop reports the change, so the report is not taken for a move
  // of its own.
  bounds_ = wanted;
  if (IsIconic(hwnd_)) return;  // applied on restore
  SetWindowPos(hwnd_, nullptr, wanted.left, wanted.top, wanted.Width(), wanted.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void Win32Window::SetVisible(bool visible) {
  if (!system_ || visible == visible_) return;
  visible_ = visible;
  if (visible) {
    ApplyShow();
    return;
  }
  if (dragging_ || captured_) ReleaseOwnCapture();
  dragging_ = captured_ = false;
  ShowWindow(hwnd_, SW_HIDE);
}

void Win32Window::ApplyShow() {
  if (minimized_) {
    ShowWindow(hwnd_, SW_SHOWMINNOACTIVE);
    return;
  }
  // A window its modal child has disabled must not take the activation from the child.
  ShowWindow(hwnd_, disabled_count_ > 0 ? SW_SHOWNA : SW_SHOW);
}

void Win32Window::SetOpacity(uint8_t opacity) {
  if (!system_ || opacity == opacity_) return;
  opacity_ = opacity;
  if (!layered_) {
    if (opacity == 255) return;
    // Layered from the first fade on: taking the style away again would repaint the
    // window from scratch, a flash at the end of every fade.
    SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) | WS_EX_LAYERED);
    layered_ = true;
  }
  SetLayeredWindowAttributes(hwnd_, 0, opacity, LWA_ALPHA);
}

void Win32Window::SetRegion(const Region& region) {
  if (!system_) return;
  if (region.IsEmpty()) {
    SetWindowRgn(hwnd_, nullptr, TRUE);
    return;
  }
  // One call for all rectangles: a skin's region has a run for each row of its picture,
  // and combining them one by one grows with the square of their number.
  std::vector<RECT> rects;
  rects.reserve(region.rects.size());
  RECT bound{0, 0, 0, 0};
  for (const Rect& r : region.rects) {
    const Rect c = r.Intersect(Rect::FromSize(-kMaxSide, -kMaxSide, 2 * kMaxSide, 2 * kMaxSide));
    if (c.IsEmpty()) continue;
    rects.push_back({c.left, c.top, c.right, c.bottom});
    if (rects.size() == 1) bound = rects.back();
    bound = {std::min(bound.left, LONG(c.left)), std::min(bound.top, LONG(c.top)),
             std::max(bound.right, LONG(c.right)), std::max(bound.bottom, LONG(c.bottom))};
  }
  std::vector<unsigned char> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  RGNDATAHEADER header{};
  header.dwSize = sizeof header;
  header.iType = RDH_RECTANGLES;
  header.nCount = DWORD(rects.size());
  header.nRgnSize = DWORD(rects.size() * sizeof(RECT));
  header.rcBound = bound;
  std::memcpy(data.data(), &header, sizeof header);
  if (!rects.empty())
    std::memcpy(data.data() + sizeof header, rects.data(), rects.size() * sizeof(RECT));
  // A list of only empty rectangles leaves an empty region: nothing of the window shows.
  HRGN rgn = rects.empty() ? CreateRectRgn(0, 0, 0, 0)
                           : ExtCreateRegion(nullptr, DWORD(data.size()),
                                             reinterpret_cast<const RGNDATA*>(data.data()));
  // On success the desktop owns the region.
  if (rgn && !SetWindowRgn(hwnd_, rgn, TRUE)) DeleteObject(rgn);
}

void Win32Window::SetStayOnTop(bool on_top) {
  if (!system_ || on_top == stay_on_top_) return;
  stay_on_top_ = on_top;
  system_->UpdateOnTop(this);
}

void Win32Window::ApplyOnTop() {
  if (!system_) return;
  const bool on_top = system_->EffectiveOnTop(this);
  if (on_top == applied_on_top_) return;
  applied_on_top_ = on_top;
  SetWindowPos(hwnd_, on_top ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  if (on_top || !system_->others_active()) return;
  // Out of the topmost band a window lands on top of the others: go behind the program
  // that was just activated instead.
  HWND active = GetForegroundWindow();
  if (active && !system_->Find(active))
    SetWindowPos(hwnd_, active, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void Win32Window::SetOwner(NativeWindow* owner) {
  if (!system_) return;
  auto* o = dynamic_cast<Win32Window*>(owner);
  if (o && (o->system_ != system_ || o == this || system_->IsOwnedBy(o, this)))
    return;  // another system's window, or a loop of owners
  if (o == owner_) return;
  owner_ = o;
  // For a top-level window this slot holds the owner.
  SetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT, LONG_PTR(o ? o->hwnd_ : nullptr));
  system_->UpdateOnTop(this);
}

void Win32Window::Disable(bool disable) {
  disabled_count_ += disable ? 1 : -1;
  if (disable && disabled_count_ == 1) {
    // Owners take no input from now on: a capture or drag they hold ends here.
    if (dragging_ || captured_) ReleaseOwnCapture();
    dragging_ = captured_ = false;
    EnableWindow(hwnd_, FALSE);
  } else if (!disable && disabled_count_ == 0) {
    EnableWindow(hwnd_, TRUE);
  }
}

void Win32Window::SetModal(bool modal) {
  if (!system_ || modal == modal_) return;
  modal_ = modal;
  if (modal) {
    for (Win32Window* o = owner_; o && o != this; o = o->owner_) {
      if (std::find(disabled_owners_.begin(), disabled_owners_.end(), o) != disabled_owners_.end())
        break;  // a loop
      o->Disable(true);
      disabled_owners_.push_back(o);
    }
  } else {
    for (Win32Window* o : disabled_owners_) o->Disable(false);
    disabled_owners_.clear();
  }
}

void Win32Window::SetMinimized(bool minimized) {
  if (!system_ || minimized == minimized_) return;
  minimized_ = minimized;
  if (!visible_) return;
  if (minimized) {
    if (dragging_ || captured_) ReleaseOwnCapture();
    dragging_ = captured_ = false;
    ShowWindow(hwnd_, SW_SHOWMINNOACTIVE);
    return;
  }
  ShowWindow(hwnd_, SW_RESTORE);
  // Bounds set while minimized take effect now.
  SetWindowPos(hwnd_, nullptr, bounds_.left, bounds_.top, bounds_.Width(), bounds_.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void Win32Window::Raise() {
  if (!system_ || !shown()) return;
  SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32Window::Focus() {
  if (!system_ || !shown() || disabled_count_ > 0) return;
  if (GetForegroundWindow() != hwnd_) SetForegroundWindow(hwnd_);
  if (GetFocus() != hwnd_) SetFocus(hwnd_);
}

void Win32Window::CaptureMouse(bool capture) {
  if (!system_) return;
  if (capture && !captured_ && !dragging_) {
    if (!shown()) return;
    SetCapture(hwnd_);
    captured_ = GetCapture() == hwnd_;
  } else if (!capture && captured_) {
    captured_ = false;
    ReleaseOwnCapture();
  }
}

void Win32Window::ReleaseOwnCapture() {
  if (GetCapture() == hwnd_) ReleaseCapture();
}

void Win32Window::BeginMoveDrag(Point screen_start) {
  if (!system_ || !shown() || dragging_) return;
  // Only while the button is still down: a drag that missed its release would hold the
  // pointer for good.
  if (!PrimaryButtonDown()) return;
  dragging_ = true;
  captured_ = false;  // the drag's capture replaces a capture
  if (GetCapture() != hwnd_) SetCapture(hwnd_);
  drag_offset_ = {screen_start.x - bounds_.left, screen_start.y - bounds_.top};
}

void Win32Window::EndDrag() {
  dragging_ = false;
  ReleaseOwnCapture();
}

void Win32Window::Present(const PixelView& pixels, const Rect& damage) {
  if (!system_ || !pixels.pixels || pixels.width <= 0 || pixels.height <= 0) return;
  const Rect whole = Rect::FromSize(0, 0, pixels.width, pixels.height);
  Rect copied = damage.Intersect(whole);
  if (picture_size_ != Size{pixels.width, pixels.height}) {
    picture_size_ = {pixels.width, pixels.height};
    picture_.assign(size_t(pixels.width) * size_t(pixels.height), 0);
    copied = whole;
  }
  if (copied.IsEmpty()) return;
  for (int y = copied.top; y < copied.bottom; ++y)
    std::memcpy(picture_.data() + size_t(y) * size_t(picture_size_.width) + size_t(copied.left),
                pixels.pixels + size_t(y) * size_t(pixels.stride) + size_t(copied.left),
                size_t(copied.Width()) * sizeof(uint32_t));
  if (!IsWindowVisible(hwnd_)) return;  // shown from the copy when the window appears
  if (HDC dc = GetDC(hwnd_)) {
    Draw(dc, damage.Intersect(whole));
    ReleaseDC(hwnd_, dc);
  }
}

void Win32Window::Draw(HDC dc, const Rect& area) const {
  const Rect part = area.Intersect(Rect::FromSize(0, 0, picture_size_.width, picture_size_.height));
  if (part.IsEmpty()) return;
  // A top-down DIB of just the rows drawn, so its first scan line is the part's top.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture_size_.width;
  info.bmiHeader.biHeight = -part.Height();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  const uint32_t* rows = picture_.data() + size_t(part.top) * size_t(picture_size_.width);
  SetDIBitsToDevice(dc, part.left, part.top, DWORD(part.Width()), DWORD(part.Height()), part.left,
                    0, 0, UINT(part.Height()), rows, &info, DIB_RGB_COLORS);
}

void Win32Window::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  const Rect area{int(ps.rcPaint.left), int(ps.rcPaint.top), int(ps.rcPaint.right),
                  int(ps.rcPaint.bottom)};
  if (dc) Draw(dc, area);
  EndPaint(hwnd_, &ps);
  if (area.IsEmpty()) return;
  // Nothing kept for this part yet (never presented, or the window grew): ask.
  const Rect kept = Rect::FromSize(0, 0, picture_size_.width, picture_size_.height);
  if (area.Intersect(kept) == area) return;
  InputEvent e;
  e.kind = InputEvent::Kind::kExpose;
  e.area = area;
  Queue(e);
}

void Win32Window::PositionChanged(const Rect& actual) {
  if (actual == bounds_) return;
  // The desktop put the window elsewhere (the taskbar, a change of resolution).
  bounds_ = actual;
  InputEvent e;
  e.kind = InputEvent::Kind::kMoved;
  e.area = actual;
  Queue(e);
}

void Win32Window::MouseEvent(InputEvent::Kind kind, MouseButton button, uintptr_t wparam,
                             intptr_t lparam) {
  const Point pos = PointFromLParam(lparam);
  // The window has no frame of the desktop's: its client area is the whole window.
  const Point screen{bounds_.left + pos.x, bounds_.top + pos.y};
  if (dragging_) {
    if (kind == InputEvent::Kind::kMouseMove) {
      const Rect moved = Rect::FromSize(screen.x - drag_offset_.x, screen.y - drag_offset_.y,
                                        bounds_.Width(), bounds_.Height());
      if (moved == bounds_) return;
      bounds_ = moved;
      SetWindowPos(hwnd_, nullptr, moved.left, moved.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
      InputEvent e;
      e.kind = InputEvent::Kind::kMoved;
      e.area = moved;
      e.screen = screen;
      Queue(e);
    } else if (kind == InputEvent::Kind::kMouseUp && button == MouseButton::kLeft) {
      EndDrag();  // the release that ends a drag belongs to the drag
    }
    return;
  }
  InputEvent e;
  e.pos = pos;
  e.screen = screen;
  e.modifiers = CurrentModifiers();
  e.held = HeldFromWParam(wparam);
  if (kind == InputEvent::Kind::kMouseMove && !pointer_inside_) {
    // The desktop tells of leaving only when asked, and never of entering.
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = hwnd_;
    pointer_inside_ = TrackMouseEvent(&track) != FALSE;
    e.kind = InputEvent::Kind::kMouseEnter;
    Queue(e);
  }
  e.kind = kind;
  e.button = button;
  Queue(e);
}

void Win32Window::KeyEvent(bool down, uintptr_t wparam) {
  InputEvent e;
  e.kind = down ? InputEvent::Kind::kKeyDown : InputEvent::Kind::kKeyUp;
  e.key = uint32_t(wparam & 0xFF);
  e.modifiers = CurrentModifiers();
  Queue(e);
}

void Win32Window::CharEvent(uintptr_t wparam) {
  const wchar_t unit = wchar_t(wparam & 0xFFFF);
  char32_t ch = char32_t(uint16_t(unit));
  if (unit >= 0xD800 && unit <= 0xDBFF) {
    high_surrogate_ = unit;  // the character comes with the next unit
    return;
  }
  if (unit >= 0xDC00 && unit <= 0xDFFF) {
    if (!high_surrogate_) return;
    ch = 0x10000 + ((char32_t(uint16_t(high_surrogate_)) - 0xD800) << 10) + (ch - 0xDC00);
  }
  high_surrogate_ = 0;
  InputEvent e;
  e.kind = InputEvent::Kind::kChar;
  e.ch = uint32_t(ch);
  e.modifiers = CurrentModifiers();
  Queue(e);
}

bool Win32Window::Handle(unsigned message, uintptr_t wparam, intptr_t lparam, intptr_t& result) {
  using Kind = InputEvent::Kind;
  result = 0;
  switch (message) {
    case WM_PAINT:
      Paint();
      return true;
    case WM_ERASEBKGND:
      result = 1;  // every pixel is ours; erasing first would flash
      return true;
    case WM_MOUSEMOVE:
      MouseEvent(Kind::kMouseMove, MouseButton::kLeft, wparam, lparam);
      return true;
    case WM_LBUTTONDOWN:
      MouseEvent(Kind::kMouseDown, MouseButton::kLeft, wparam, lparam);
      return true;
    case WM_LBUTTONDBLCLK:
      MouseEvent(Kind::kDoubleClick, MouseButton::kLeft, wparam, lparam);
      return true;
    case WM_LBUTTONUP:
      MouseEvent(Kind::kMouseUp, MouseButton::kLeft, wparam, lparam);
      return true;
    case WM_RBUTTONDOWN:
      MouseEvent(Kind::kMouseDown, MouseButton::kRight, wparam, lparam);
      return true;
    case WM_RBUTTONDBLCLK:
      MouseEvent(Kind::kDoubleClick, MouseButton::kRight, wparam, lparam);
      return true;
    case WM_RBUTTONUP:
      MouseEvent(Kind::kMouseUp, MouseButton::kRight, wparam, lparam);
      return true;
    case WM_MBUTTONDOWN:
      MouseEvent(Kind::kMouseDown, MouseButton::kMiddle, wparam, lparam);
      return true;
    case WM_MBUTTONDBLCLK:
      MouseEvent(Kind::kDoubleClick, MouseButton::kMiddle, wparam, lparam);
      return true;
    case WM_MBUTTONUP:
      MouseEvent(Kind::kMouseUp, MouseButton::kMiddle, wparam, lparam);
      return true;
    case WM_MOUSELEAVE: {
      pointer_inside_ = false;
      if (dragging_) return true;
      InputEvent e;
      e.kind = Kind::kMouseLeave;
      Queue(e);
      return true;
    }
    case WM_CAPTURECHANGED:
      // Taken by another window (or released): a capture or drag of ours is over.
      if (HWND(lparam) != hwnd_) captured_ = dragging_ = false;
      return true;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      KeyEvent(true, wparam);
      // Alt+F4 closes the window as on every other window of this desktop; other keys
      // with Alt stay away from the default procedure and its system menu.
      return !(message == WM_SYSKEYDOWN && wparam == VK_F4);
    case WM_KEYUP:
    case WM_SYSKEYUP:
      KeyEvent(false, wparam);
      return true;
    case WM_CHAR:
    case WM_SYSCHAR:
      CharEvent(wparam);
      return true;
    case WM_SETFOCUS: {
      InputEvent e;
      e.kind = Kind::kFocusIn;
      Queue(e);
      return true;
    }
    case WM_KILLFOCUS: {
      if (dragging_) EndDrag();
      InputEvent e;
      e.kind = Kind::kFocusOut;
      Queue(e);
      return true;
    }
    case WM_ACTIVATEAPP:
      system_->OthersActive(wparam == FALSE);
      return true;
    case WM_CLOSE: {
      InputEvent e;
      e.kind = Kind::kCloseRequest;
      Queue(e);
      return true;
    }
    case WM_SYSCOMMAND:
      // The menu Alt and F10 would open; the skinned frame has its own.
      return (wparam & 0xFFF0) == SC_KEYMENU;
    case WM_NCDESTROY:
      // Destroyed by the desktop, not by us: the object stays as an inert shell.
      if (modal_) SetModal(false);
      system_->Unregister(this);
      hwnd_ = nullptr;
      system_ = nullptr;
      return false;
    case WM_WINDOWPOSCHANGED: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lparam);
      // A minimized window sits far off the screen; that is no move of the window.
      if (!IsIconic(hwnd_) && (pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE))
        PositionChanged(Rect::FromSize(pos->x, pos->y, pos->cx, pos->cy));
      return true;
    }
    default:
      return false;
  }
}

}  // namespace somnara::platform
