#include "platform/windows/window/win32_window_system.h"

#include <algorithm>
#include <atomic>

#include "platform/windows/window/win32_api.h"
// After the API: the multimedia timer header needs its types.
#include <mmsystem.h>

#include "platform/windows/window/win32_window.h"

namespace somnara::platform {
namespace {

constexpr wchar_t kHelperClass[] = L"SomnaraHelper";

enum EndingReason : int { kNotEnding = 0, kConsoleBreak, kConsoleClosed, kSessionEnd };

// The console's Ctrl handler runs on a thread of its own with no context: what it needs is
// kept here, for the one window system a process opens.
std::atomic<HANDLE> g_wake_event{nullptr};
std::atomic<int> g_ending{kNotEnding};
std::atomic<HANDLE> g_finished_event{nullptr};

BOOL WINAPI ConsoleCtrl(DWORD type) {
  const bool closing =
      type == CTRL_CLOSE_EVENT || type == CTRL_LOGOFF_EVENT || type == CTRL_SHUTDOWN_EVENT;
  int expected = kNotEnding;
  g_ending.compare_exchange_strong(expected, closing ? kConsoleClosed : kConsoleBreak);
  if (HANDLE wake = g_wake_event.load()) SetEvent(wake);
  // The process ends as soon as a closing console's handler returns: give the interface
  // thread the time to put back what it changed (the desktop allows about five seconds).
  if (closing) {
    if (HANDLE finished = g_finished_event.load()) WaitForSingleObject(finished, 4000);
  }
  return TRUE;
}

LRESULT CALLBACK HelperProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_QUERYENDSESSION: {
      int expected = kNotEnding;
      g_ending.compare_exchange_strong(expected, kSessionEnd);
      return TRUE;
    }
    case WM_ENDSESSION:
      // The process may be ended once every window has returned from this: the ending was
      // asked for at the query already, here it can only be made sure of.
      if (wparam) {
        int expected = kNotEnding;
        g_ending.compare_exchange_strong(expected, kSessionEnd);
      }
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wparam, lparam);
  }
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, LONG_PTR(create->lpCreateParams));
  }
  auto* window = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  intptr_t result = 0;
  if (window && window->hwnd() == hwnd && window->Handle(message, wparam, lparam, result))
    return LRESULT(result);
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

bool IsBlockable(InputEvent::Kind kind) {
  switch (kind) {
    case InputEvent::Kind::kFocusIn:
    case InputEvent::Kind::kFocusOut:
    case InputEvent::Kind::kExpose:
    case InputEvent::Kind::kMoved:
    case InputEvent::Kind::kMouseLeave:
      return false;
    default:
      return true;
  }
}

Rect FromRECT(const RECT& r) {
  return {int(r.left), int(r.top), int(r.right), int(r.bottom)};
}

}  // namespace

extern const wchar_t kWin32WindowClass[];
const wchar_t kWin32WindowClass[] = L"SomnaraWindow";

std::unique_ptr<Win32WindowSystem> Win32WindowSystem::Open(std::string* error) {
  std::unique_ptr<Win32WindowSystem> system(new Win32WindowSystem());
  if (!system->Init(error)) return nullptr;
  return system;
}

bool Win32WindowSystem::Init(std::string* error) {
  // Our pictures are drawn pixel for pixel: a desktop scaled above 100% must not stretch
  // them into a blur.
  SetProcessDPIAware();
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  // Double clicks come from the desktop, with its own time and distance.
  window_class.style = CS_DBLCLKS;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  window_class.lpszClassName = kWin32WindowClass;
  WNDCLASSEXW helper_class{};
  helper_class.cbSize = sizeof helper_class;
  helper_class.lpfnWndProc = HelperProc;
  helper_class.hInstance = instance;
  helper_class.lpszClassName = kHelperClass;
  if (!RegisterClassExW(&window_class) || !RegisterClassExW(&helper_class)) {
    if (error) *error = "somnara: the desktop refused the program's window classes";
    return false;
  }
  // A hidden top-level window: message-only windows hear no session end.
  helper_ = CreateWindowExW(0, kHelperClass, L"Somnara", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                            instance, nullptr);
  wake_event_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (!helper_ || !wake_event_) {
    if (error) *error = "somnara: cannot create the program's helper window";
    return false;
  }
  g_ending = kNotEnding;
  g_wake_event = HANDLE(wake_event_);
  g_finished_event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  SetConsoleCtrlHandler(ConsoleCtrl, TRUE);
  // The fades step every few milliseconds; the default 15.6 ms timer would make them lurch.
  timer_period_set_ = timeBeginPeriod(1) == TIMERR_NOERROR;
  return true;
}

Win32WindowSystem::~Win32WindowSystem() {
  // Windows the framework still holds become inert shells.
  for (Win32Window* window : std::vector<Win32Window*>(creation_order_)) window->Detach();
  by_handle_.clear();
  creation_order_.clear();
  if (monitor_off_) SetMonitorPower(-1);
  SetConsoleCtrlHandler(ConsoleCtrl, FALSE);
  if (timer_period_set_) timeEndPeriod(1);
  if (helper_) DestroyWindow(helper_);
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  UnregisterClassW(kWin32WindowClass, instance);
  UnregisterClassW(kHelperClass, instance);
  g_wake_event = nullptr;
  if (wake_event_) CloseHandle(HANDLE(wake_event_));
  // A closing console's handler may go on now; the process ends with it.
  if (HANDLE finished = g_finished_event.exchange(nullptr)) {
    SetEvent(finished);
    CloseHandle(finished);
  }
}

std::unique_ptr<NativeWindow> Win32WindowSystem::CreateWindow(const NativeWindowOptions& options,
                                                              NativeWindowListener* listener) {
  return std::make_unique<Win32Window>(this, options, listener);
}

Size Win32WindowSystem::ScreenSize() const {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

Rect Win32WindowSystem::WorkArea() const {
  RECT area{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) {
    const Size screen = ScreenSize();
    return Rect::FromSize(0, 0, screen.width, screen.height);
  }
  return FromRECT(area);
}

Rect Win32WindowSystem::WorkAreaNear(const Rect& window) const {
  const RECT r{window.left, window.top, window.right, window.bottom};
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info)) return WorkArea();
  return FromRECT(info.rcWork);
}

Point Win32WindowSystem::CursorPos() const {
  POINT p{};
  GetCursorPos(&p);
  return {int(p.x), int(p.y)};
}

void Win32WindowSystem::WaitForEvents(int64_t deadline_ms, int64_t slack_ms) {
  const uint64_t delivered_before = delivered_;
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      // WM_QUIT is nobody's: the framework ends its loop by its own flag.
      if (msg.message == WM_QUIT) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    DeliverQueued();
    if (const int reason = g_ending.load(); reason != kNotEnding && ending_) {
      auto ending = std::move(ending_);
      ending_ = nullptr;
      ending();
      return;
    }
    if (delivered_ != delivered_before) return;
    int64_t timeout = INFINITE;
    if (deadline_ms >= 0) {
      if (deadline_ms <= clock_.NowMs()) return;
      const int64_t remaining = deadline_ms + std::max<int64_t>(slack_ms, 0) - clock_.NowMs();
      timeout = std::min<int64_t>(remaining, 0x7FFFFFFF);
    }
    HANDLE wake = HANDLE(wake_event_);
    // The flag also counts messages already seen by an earlier peek but not yet taken.
    const DWORD woken =
        MsgWaitForMultipleObjectsEx(1, &wake, DWORD(timeout), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (woken == WAIT_OBJECT_0 && !(g_ending.load() != kNotEnding && ending_)) return;
  }
}

void Win32WindowSystem::Wake() {
  SetEvent(HANDLE(wake_event_));
}

void Win32WindowSystem::SetMonitorPower(int state) {
  monitor_off_ = state > 0;
  SendMessageW(helper_, WM_SYSCOMMAND, SC_MONITORPOWER, LPARAM(state));
}

void Win32WindowSystem::Beep() {
  MessageBeep(MB_OK);
}

std::string Win32WindowSystem::EndingReason() const {
  switch (g_ending.load()) {
    case kConsoleBreak:
      return "ended by Ctrl+C";
    case kConsoleClosed:
      return "ended as its console closed";
    case kSessionEnd:
      return "ended with the session";
    default:
      return "";
  }
}

void Win32WindowSystem::Register(Win32Window* window) {
  by_handle_[window->hwnd()] = window;
  creation_order_.push_back(window);
}

void Win32WindowSystem::Unregister(Win32Window* window) {
  by_handle_.erase(window->hwnd());
  creation_order_.erase(std::remove(creation_order_.begin(), creation_order_.end(), window),
                        creation_order_.end());
  for (Win32Window* other : creation_order_) other->Forget(window);
}

Win32Window* Win32WindowSystem::Find(HWND hwnd) const {
  auto it = by_handle_.find(hwnd);
  return it == by_handle_.end() ? nullptr : it->second;
}

bool Win32WindowSystem::IsOwnedBy(const Win32Window* window, const Win32Window* ancestor) const {
  const Win32Window* w = window->owner_;
  for (size_t steps = 0; w && steps <= creation_order_.size(); ++steps, w = w->owner_)
    if (w == ancestor) return true;
  return false;
}

bool Win32WindowSystem::EffectiveOnTop(const Win32Window* window) const {
  // While another program's window is active, ours step out of its way.
  if (others_active_) return false;
  const Win32Window* w = window;
  for (size_t steps = 0; w && steps <= creation_order_.size(); ++steps, w = w->owner_)
    if (w->stay_on_top_) return true;
  return false;
}

void Win32WindowSystem::UpdateOnTop(const Win32Window* owner) {
  for (Win32Window* w : creation_order_)
    if (w == owner || IsOwnedBy(w, owner)) w->ApplyOnTop();
}

// A page opened in a browser must not open out of sight behind our stay-on-top windows:
// while another program is active ours leave the topmost band, and they return to it once
// one of ours is active again.
void Win32WindowSystem::OthersActive(bool others) {
  if (others == others_active_) return;
  others_active_ = others;
  for (Win32Window* w : creation_order_) w->ApplyOnTop();
}

void Win32WindowSystem::Queue(HWND hwnd, const InputEvent& event) {
  queued_.emplace_back(hwnd, event);
}

void Win32WindowSystem::DeliverQueued() {
  while (!queued_.empty()) {
    const auto [hwnd, event] = queued_.front();
    queued_.pop_front();
    // The listener may have destroyed the window while taking an earlier event.
    Win32Window* window = Find(hwnd);
    if (!window || !window->listener_) continue;
    // Input that arrived before a modal window disabled this one is not for it any more.
    if (IsBlockable(event.kind) && window->disabled_count_ > 0) continue;
    ++delivered_;
    window->listener_->OnNativeEvent(event);
  }
}

}  // namespace somnara::platform
