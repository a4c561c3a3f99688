#include "platform/linux/x11/x11_window_system.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/Xrandr.h>
#include <X11/extensions/shape.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "platform/linux/x11/double_click_detector.h"
#include "platform/linux/x11/monitor_power.h"
#include "platform/linux/x11/stacking_order.h"
#include "platform/linux/x11/x11_atoms.h"
#include "platform/linux/x11/x11_error_trap.h"
#include "platform/linux/x11/x11_surface.h"
#include "platform/linux/x11/x11_window.h"

namespace somnara::platform {
namespace {

int64_t MonotonicNs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return int64_t(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// Reads a 32-bit property; Xlib hands such values over as longs.
std::vector<long> ReadLongs(Display* display, Window window, Atom property, Atom type) {
  Atom actual_type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  std::vector<long> values;
  if (XGetWindowProperty(display, window, property, 0, 1024, False, type, &actual_type, &format,
                         &count, &after, &data) == Success &&
      data && actual_type == type && format == 32) {
    const long* longs = reinterpret_cast<const long*>(data);
    values.assign(longs, longs + count);
  }
  if (data) XFree(data);
  return values;
}

// How often a display we switched off is asked whether input has woken it, at most, while
// the program is awake anyway.
constexpr int64_t kDisplayPowerCheckMs = 5000;

std::atomic<uint64_t> g_presents{0};

// "presents: N" on standard error, with async-signal-safe calls only.
void WritePresentCount() {
  char text[40] = "presents: ";
  char digits[24];
  int n = 0;
  uint64_t value = g_presents.load(std::memory_order_relaxed);
  do {
    digits[n++] = char('0' + value % 10);
    value /= 10;
  } while (value > 0);
  size_t length = std::strlen(text);
  while (n > 0) text[length++] = digits[--n];
  text[length++] = '\n';
  [[maybe_unused]] ssize_t written = write(STDERR_FILENO, text, length);
}

void OnPresentCountSignal(int) {
  const int saved_errno = errno;
  WritePresentCount();
  errno = saved_errno;
}

bool IsInput(int type) {
  return type == KeyPress || type == ButtonPress || type == MotionNotify;
}

bool IsBlockable(InputEvent::Kind kind) {
  switch (kind) {
    case InputEvent::Kind::kVisibility:
    case InputEvent::Kind::kFocusIn:
    case InputEvent::Kind::kFocusOut:
    case InputEvent::Kind::kExpose:
    case InputEvent::Kind::kMoved:
      return false;
    default:
      return true;
  }
}

}  // namespace

std::unique_ptr<X11WindowSystem> X11WindowSystem::Open(std::string* error) {
  const char* name = std::getenv("DISPLAY");
  if (!name || !*name) {
    if (error)
      *error = "somnara: cannot open the X display: DISPLAY is not set: is a desktop running?";
    return nullptr;
  }
  auto system = OpenDisplay(name, Options{}, error);
  // For benchmarks: how many pictures the program sends during a stretch of its run.
  const char* count = std::getenv("SOMNARA_PRESENT_COUNT");
  if (system && count && std::strcmp(count, "1") == 0) {
    struct sigaction action {};
    action.sa_handler = OnPresentCountSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    system->reports_presents_ = sigaction(SIGUSR1, &action, nullptr) == 0;
  }
  return system;
}

std::unique_ptr<X11WindowSystem> X11WindowSystem::OpenDisplay(const std::string& name,
                                                              const Options& options,
                                                              std::string* error) {
  x11::InstallErrorHandlers();
  Display* display = XOpenDisplay(name.c_str());
  if (!display) {
    if (error)
      *error = "somnara: cannot open the X display \"" + name + "\": is a desktop running?";
    return nullptr;
  }
  std::unique_ptr<X11WindowSystem> system(new X11WindowSystem(display, options));
  if (!system->Init(error)) return nullptr;
  return system;
}

X11WindowSystem::X11WindowSystem(Display* display, const Options& options)
    : display_(display), options_(options), display_name_(DisplayString(display)) {}

bool X11WindowSystem::Init(std::string* error) {
  screen_ = DefaultScreen(display_);
  root_ = RootWindow(display_, screen_);
  Visual* visual = DefaultVisual(display_, screen_);
  depth_ = DefaultDepth(display_, screen_);
  colormap_ = DefaultColormap(display_, screen_);
  if (visual->c_class != TrueColor) {
    XVisualInfo info{};
    if (!XMatchVisualInfo(display_, screen_, 24, TrueColor, &info)) {
      if (error)
        *error = "somnara: the X display \"" + display_name_ + "\" offers no true-colour visual";
      return false;
    }
    visual = info.visual;
    depth_ = info.depth;
    colormap_ = XCreateColormap(display_, root_, visual, AllocNone);
    own_colormap_ = true;
  }
  visual_ = visual;

  atoms_ = std::make_unique<x11::X11Atoms>(x11::X11Atoms::Intern(display_));
  double_click_ = std::make_unique<x11::DoubleClickDetector>();
  stacking_ = std::make_unique<x11::StackingOrder>();
  monitor_power_ = std::make_unique<x11::MonitorPower>(display_);
  shm_available_ = x11::IsLocalDisplayName(DisplayString(display_)) && XShmQueryExtension(display_);
  int shape_event = 0, shape_error = 0;
  shape_available_ = XShapeQueryExtension(display_, &shape_event, &shape_error);

  // Held keys repeat as presses only, as on the desktop platform the framework expects.
  Bool detectable = False;
  XkbSetDetectableAutoRepeat(display_, True, &detectable);

  wake_fd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (wake_fd_ < 0) {
    if (error) *error = "somnara: cannot create the event loop's wake-up descriptor";
    return false;
  }
  // A write to a dead server must reach the connection-lost message, not kill us silently.
  struct sigaction current {};
  if (sigaction(SIGPIPE, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
    std::signal(SIGPIPE, SIG_IGN);

  // Told before the monitors are first asked for, so no change goes unnoticed.
  int randr_error_base = 0;
  if (XRRQueryExtension(display_, &randr_event_base_, &randr_error_base)) {
    XRRSelectInput(display_, root_,
                   RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask | RROutputChangeNotifyMask);
  } else {
    randr_event_base_ = -1;
  }

  // Fixed for the run: a monitor that changes later moves no window of ours.
  const Rect primary = PrimaryMonitor();
  origin_ = {primary.left, primary.top};

  has_wm_ = DetectWindowManager();
  compositing_ = DetectCompositor();
  SelectRootInput();
  XFlush(display_);
  return true;
}

bool X11WindowSystem::DetectCompositor() const {
  char name[32];
  std::snprintf(name, sizeof name, "_NET_WM_CM_S%d", screen_);
  return XGetSelectionOwner(display_, XInternAtom(display_, name, False)) != None;
}

void X11WindowSystem::ShownChanged(const X11Window* window, const Rect& area) {
  bool above = false;
  for (X11Window* w : creation_order_) {
    if (w == window) {
      above = true;
      continue;
    }
    if (!above || !w->mapped_ || !w->Blended()) continue;
    const Rect part = area.Intersect(w->bounds_);
    if (!part.IsEmpty()) w->Show(part.Offset(-w->bounds_.left, -w->bounds_.top));
  }
}

void X11WindowSystem::ComposeBeneath(const X11Window* window, const Rect& area,
                                     uint32_t* out) const {
  const size_t width = size_t(area.Width());
  std::fill(out, out + width * size_t(area.Height()), 0u);
  for (const X11Window* w : creation_order_) {
    if (w == window) break;
    if (!w->mapped_ || !w->shown() || !w->surface_->HasContent()) continue;
    const Rect picture = Rect::FromSize(w->bounds_.left, w->bounds_.top, w->picture_size_.width,
                                        w->picture_size_.height);
    const Rect part = area.Intersect(picture);
    if (part.IsEmpty()) continue;
    const uint32_t alpha = w->opacity_;
    for (int y = part.top; y < part.bottom; ++y) {
      const uint32_t* src = w->PictureRow(y - picture.top) + size_t(part.left - picture.left);
      uint32_t* dst = out + size_t(y - area.top) * width + size_t(part.left - area.left);
      for (int x = 0; x < part.Width(); ++x) dst[x] = x11::BlendPixel(src[x], dst[x], alpha);
    }
  }
}

Rect X11WindowSystem::PrimaryMonitor() const {
  if (!options_.monitors.empty()) return options_.monitors.front();
  if (!primary_monitor_) primary_monitor_ = AskPrimaryMonitor();
  return *primary_monitor_;
}

Rect X11WindowSystem::AskPrimaryMonitor() const {
  const Rect screen =
      Rect::FromSize(0, 0, DisplayWidth(display_, screen_), DisplayHeight(display_, screen_));
  int event_base = 0, error_base = 0, major = 0, minor = 0;
  if (!XRRQueryExtension(display_, &event_base, &error_base) ||
      !XRRQueryVersion(display_, &major, &minor) || major * 100 + minor < 105)
    return screen;
  int count = 0;
  XRRMonitorInfo* monitors = XRRGetMonitors(display_, root_, True, &count);
  if (monitors == nullptr) return screen;
  // Without a monitor marked primary, the first one the server lists.
  int chosen = -1;
  for (int i = 0; i < count; ++i)
    if (monitors[i].primary) chosen = i;
  if (chosen < 0 && count > 0) chosen = 0;
  Rect primary = screen;
  if (chosen >= 0) {
    const XRRMonitorInfo& m = monitors[chosen];
    primary = Rect::FromSize(m.x, m.y, m.width, m.height);
  }
  XRRFreeMonitors(monitors);
  return primary.IsEmpty() ? screen : primary;
}

X11WindowSystem::~X11WindowSystem() {
  if (reports_presents_) WritePresentCount();
  // Windows the framework still holds become inert shells.
  for (X11Window* window : std::vector<X11Window*>(creation_order_)) window->Detach();
  windows_.clear();
  creation_order_.clear();
  if (own_colormap_) XFreeColormap(display_, colormap_);
  if (wake_fd_ >= 0) close(wake_fd_);
  XSync(display_, False);
  x11::ForgetDisplay(display_);
  XCloseDisplay(display_);
}

std::unique_ptr<NativeWindow> X11WindowSystem::CreateWindow(const NativeWindowOptions& options,
                                                            NativeWindowListener* listener) {
  return std::make_unique<X11Window>(this, options, listener);
}

Size X11WindowSystem::ScreenSize() const {
  const Rect primary = PrimaryMonitor();
  return {primary.Width(), primary.Height()};
}

Rect X11WindowSystem::WorkArea() const {
  const Rect primary = PrimaryMonitor();
  const Rect screen = Rect::FromSize(primary.left - origin_.x, primary.top - origin_.y,
                                     primary.Width(), primary.Height());
  // A work area left behind by a window manager that has gone is stale.
  if (!DetectWindowManager()) return screen;
  long desktop = 0;
  std::vector<long> current = ReadLongs(display_, root_, atoms_->net_current_desktop, XA_CARDINAL);
  if (!current.empty() && current[0] >= 0) desktop = current[0];
  std::vector<long> areas = ReadLongs(display_, root_, atoms_->net_workarea, XA_CARDINAL);
  if (areas.size() < size_t(desktop + 1) * 4) desktop = 0;
  if (areas.size() < 4) return screen;
  const long* a = &areas[size_t(desktop) * 4];
  // The desktop's work area spans every monitor; ours is its part on the primary one.
  const Rect area =
      Rect::FromSize(int(a[0]) - origin_.x, int(a[1]) - origin_.y, int(a[2]), int(a[3]))
          .Intersect(screen);
  return area.IsEmpty() ? screen : area;
}

Point X11WindowSystem::CursorPos() const {
  Window root = None;
  Window child = None;
  int root_x = 0, root_y = 0, x = 0, y = 0;
  unsigned int mask = 0;
  XQueryPointer(display_, root_, &root, &child, &root_x, &root_y, &x, &y, &mask);
  return {root_x - origin_.x, root_y - origin_.y};
}

void X11WindowSystem::WaitForEvents(int64_t deadline_ms, int64_t slack_ms) {
  const uint64_t delivered_before = delivered_;
  for (;;) {
    uint64_t wakes = 0;
    const bool woken = read(wake_fd_, &wakes, sizeof wakes) == ssize_t(sizeof wakes);
    DispatchPending();
    if (display_off_ && clock_.NowMs() >= next_power_check_ms_) CheckDisplayPower();
    if (seen_changed_) ReportSeen();
    FlushOpacity(false);
    if (woken || delivered_ != delivered_before) return;
    if (deadline_ms >= 0 && clock_.NowMs() >= deadline_ms) return;

    XFlush(display_);
    if (XQLength(display_) > 0) continue;
    int64_t wake_at = deadline_ms < 0 ? -1 : deadline_ms + std::max<int64_t>(slack_ms, 0);
    if (opacity_dirty_) {
      const int64_t flush_at = NextOpacityFlushMs();
      wake_at = wake_at < 0 ? flush_at : std::min(wake_at, flush_at);
    }
    timespec timeout{};
    timespec* timeout_ptr = nullptr;
    if (wake_at >= 0) {
      // The clock counts whole milliseconds of the monotonic clock, so sleeping to the
      // exact nanosecond where the millisecond begins wakes neither early nor late.
      int64_t remaining = wake_at * 1000000 - MonotonicNs();
      remaining = std::max<int64_t>(remaining, 50000);
      timeout.tv_sec = time_t(remaining / 1000000000);
      timeout.tv_nsec = long(remaining % 1000000000);
      timeout_ptr = &timeout;
    }
    pollfd fds[3] = {
        {ConnectionNumber(display_), POLLIN, 0}, {wake_fd_, POLLIN, 0}, {watched_fd_, POLLIN, 0}};
    if (ppoll(fds, 3, timeout_ptr, nullptr) > 0 && fds[2].revents != 0 && watched_ready_) {
      watched_ready_();
      return;
    }
  }
}

void X11WindowSystem::WatchDescriptor(int fd, std::function<void()> ready) {
  watched_fd_ = fd;
  watched_ready_ = fd >= 0 ? std::move(ready) : nullptr;
}

void X11WindowSystem::Wake() {
  const uint64_t one = 1;
  [[maybe_unused]] ssize_t n = write(wake_fd_, &one, sizeof one);
}

void X11WindowSystem::SetMonitorPower(int state) {
  if (monitor_power_->Set(state)) SetDisplayOff(state != -1);
}

uint64_t X11WindowSystem::PresentCount() {
  return g_presents.load(std::memory_order_relaxed);
}

void X11WindowSystem::NotePresent() {
  g_presents.fetch_add(1, std::memory_order_relaxed);
}

void X11WindowSystem::SetDisplayOff(bool off) {
  if (off == display_off_) return;
  display_off_ = off;
  seen_changed_ = true;
  next_power_check_ms_ = clock_.NowMs() + kDisplayPowerCheckMs;
}

void X11WindowSystem::CheckDisplayPower() {
  next_power_check_ms_ = clock_.NowMs() + kDisplayPowerCheckMs;
  if (monitor_power_->DisplayOn()) SetDisplayOff(false);
}

void X11WindowSystem::ReportSeen() {
  seen_changed_ = false;
  std::vector<unsigned long> xids;
  for (const X11Window* window : creation_order_) xids.push_back(window->xid());
  for (unsigned long xid : xids) {
    X11Window* window = Find(xid);
    if (!window) continue;  // gone while an earlier one was told
    std::vector<InputEvent> events;
    window->ReportSeen(events);
    Deliver(xid, events);
  }
}

void X11WindowSystem::Beep() {
  XBell(display_, 0);
  XFlush(display_);
}

uint64_t X11WindowSystem::ProtocolErrorCount() const {
  return x11::ProtocolErrorCount(display_);
}

void X11WindowSystem::Register(X11Window* window) {
  windows_[window->xid()] = window;
  creation_order_.push_back(window);
  stacking_->Add(window->xid());
}

void X11WindowSystem::Unregister(X11Window* window) {
  windows_.erase(window->xid());
  creation_order_.erase(std::remove(creation_order_.begin(), creation_order_.end(), window),
                        creation_order_.end());
  stacking_->Remove(window->xid());
  for (X11Window* other : creation_order_)
    if (other->owner_ == window) other->owner_ = nullptr;
}

X11Window* X11WindowSystem::Find(unsigned long xid) const {
  auto it = windows_.find(xid);
  return it == windows_.end() ? nullptr : it->second;
}

bool X11WindowSystem::IsOwnedBy(const X11Window* window, const X11Window* ancestor) const {
  const X11Window* w = window->owner_;
  for (size_t steps = 0; w && steps <= creation_order_.size(); ++steps, w = w->owner_)
    if (w == ancestor) return true;
  return false;
}

bool X11WindowSystem::EffectiveOnTop(const X11Window* window) const {
  // While another program's window has the input focus, ours step out of its way.
  if (others_active_) return false;
  const X11Window* w = window;
  for (size_t steps = 0; w && steps <= creation_order_.size(); ++steps, w = w->owner_)
    if (w->stay_on_top_) return true;
  return false;
}

void X11WindowSystem::UpdateOwnedStates(const X11Window* owner) {
  for (X11Window* w : creation_order_)
    if (IsOwnedBy(w, owner)) w->UpdateNetWmState();
}

X11Window* X11WindowSystem::ModalBlocking(const X11Window* window) const {
  for (auto it = creation_order_.rbegin(); it != creation_order_.rend(); ++it) {
    X11Window* w = *it;
    if (w != window && w->modal_ && w->shown() && IsOwnedBy(w, window)) return w;
  }
  return nullptr;
}

void X11WindowSystem::OwnerGone(X11Window* owner) {
  for (X11Window* w : creation_order_)
    if (w->owner_ == owner) w->SetOwner(nullptr);
}

void X11WindowSystem::Restack() {
  if (has_wm_) return;
  std::vector<x11::StackingOrder::Visible> visible;
  for (X11Window* w : creation_order_)
    if (w->shown()) visible.push_back({w->xid(), EffectiveOnTop(w)});
  const std::vector<unsigned long> order = stacking_->Arrange(visible);
  if (order.empty()) return;
  std::vector<Window> top_down(order.rbegin(), order.rend());
  XRaiseWindow(display_, top_down.front());
  if (top_down.size() > 1) XRestackWindows(display_, top_down.data(), int(top_down.size()));
}

void X11WindowSystem::FocusTopmost(const X11Window* except) {
  if (has_wm_) return;
  std::vector<x11::StackingOrder::Visible> visible;
  for (X11Window* w : creation_order_)
    if (w != except && w->shown()) visible.push_back({w->xid(), EffectiveOnTop(w)});
  const std::vector<unsigned long> order = stacking_->Arrange(visible);
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    X11Window* w = Find(*it);
    if (w && !ModalBlocking(w)) {
      w->Focus();
      return;
    }
  }
}

void X11WindowSystem::FlushOpacity(bool force) {
  if (!opacity_dirty_) return;
  const int64_t now = clock_.NowMs();
  if (!force && now < NextOpacityFlushMs()) return;
  const bool compositing = DetectCompositor();
  if (compositing != compositing_) {
    // A compositing manager came or went: what each window shows is to be made again.
    compositing_ = compositing;
    for (X11Window* w : creation_order_)
      w->Show(Rect::FromSize(0, 0, w->picture_size_.width, w->picture_size_.height));
  }
  for (X11Window* w : creation_order_) w->PushOpacity();
  opacity_dirty_ = false;
  last_opacity_flush_ms_ = now;
  XFlush(display_);
}

int64_t X11WindowSystem::NextOpacityFlushMs() const {
  return last_opacity_flush_ms_ + kOpacityFrameMs;
}

void X11WindowSystem::DispatchPending() {
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    Dispatch(event);
  }
}

void X11WindowSystem::Dispatch(XEvent& event) {
  if (event_filter_ && event_filter_(event)) return;
  if (event.xany.window == root_) {
    HandleRootEvent(event);
    return;
  }
  // Input wakes a display we switched off.
  if (display_off_ && IsInput(event.type)) CheckDisplayPower();
  X11Window* window = Find(event.xany.window);
  if (!window) return;
  const unsigned long xid = window->xid();
  const std::vector<InputEvent> events = window->Translate(event);
  Deliver(xid, events);
}

void X11WindowSystem::Deliver(unsigned long xid, const std::vector<InputEvent>& events) {
  for (const InputEvent& e : events) {
    // The listener may have destroyed the window while taking the previous event.
    X11Window* window = Find(xid);
    if (!window) return;
    if (IsBlockable(e.kind)) {
      if (X11Window* modal = ModalBlocking(window)) {
        // A click on a blocked owner brings the modal window forward instead, and
        // counts for no double click.
        if (e.kind == InputEvent::Kind::kMouseDown || e.kind == InputEvent::Kind::kDoubleClick) {
          double_click_->Reset();
          modal->Raise();
          modal->Focus();
        }
        continue;
      }
    }
    if (!window->listener_) continue;
    ++delivered_;
    window->listener_->OnNativeEvent(e);
  }
}

void X11WindowSystem::HandleRootEvent(const XEvent& event) {
  if (randr_event_base_ >= 0 && (event.type == randr_event_base_ + RRScreenChangeNotify ||
                                 event.type == randr_event_base_ + RRNotify)) {
    XRRUpdateConfiguration(const_cast<XEvent*>(&event));
    primary_monitor_.reset();
    return;
  }
  if (event.type == PropertyNotify) {
    if (event.xproperty.atom == atoms_->net_supporting_wm_check) RefreshWindowManager();
    if (event.xproperty.atom == atoms_->net_active_window) ActiveWindowChanged();
    return;
  }
  if (has_wm_) return;
  // Without a window manager nobody else keeps stay-on-top windows on top: when
  // another program's window comes up or restacks, put ours back above it.
  Window other = None;
  if (event.type == MapNotify && !event.xmap.override_redirect)
    other = event.xmap.window;
  else if (event.type == ConfigureNotify && !event.xconfigure.override_redirect)
    other = event.xconfigure.window;
  if (other == None || Find(other)) return;
  for (X11Window* w : creation_order_) {
    if (w->shown() && EffectiveOnTop(w)) {
      Restack();
      return;
    }
  }
}

// A page opened in a browser must not open out of sight behind our stay-on-top windows:
// while the window manager gives the focus to another program's window, ours leave the top
// layer and go below it; once one of ours is active again, they return on top. No active
// window at all (the focus on the desktop) changes nothing.
void X11WindowSystem::ActiveWindowChanged() {
  if (!has_wm_) return;
  const std::vector<long> active = ReadLongs(display_, root_, atoms_->net_active_window, XA_WINDOW);
  if (active.empty() || active[0] == 0) return;
  const bool others = Find(Window(active[0])) == nullptr;
  if (others == others_active_) return;
  others_active_ = others;
  for (X11Window* w : creation_order_) w->UpdateNetWmState();
  XFlush(display_);
}

bool X11WindowSystem::DetectWindowManager() const {
  char name[32];
  std::snprintf(name, sizeof name, "WM_S%d", screen_);
  const Atom selection = XInternAtom(display_, name, False);
  if (XGetSelectionOwner(display_, selection) != None) return true;
  const std::vector<long> check =
      ReadLongs(display_, root_, atoms_->net_supporting_wm_check, XA_WINDOW);
  if (check.empty() || check[0] == 0) return false;
  // The check window must name itself, else the property is left over from a dead one.
  x11::ErrorTrap trap(display_);
  const std::vector<long> self =
      ReadLongs(display_, Window(check[0]), atoms_->net_supporting_wm_check, XA_WINDOW);
  return !trap.Failed() && !self.empty() && self[0] == check[0];
}

void X11WindowSystem::RefreshWindowManager() {
  const bool had = has_wm_;
  has_wm_ = DetectWindowManager();
  if (had != has_wm_) {
    SelectRootInput();
    Restack();
  }
}

void X11WindowSystem::SelectRootInput() {
  long mask = PropertyChangeMask;
  if (!has_wm_) mask |= SubstructureNotifyMask;
  XSelectInput(display_, root_, mask);
}

void X11WindowSystem::SendToWindowManager(unsigned long window, unsigned long message_type, long a0,
                                          long a1, long a2, long a3) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = message_type;
  event.xclient.format = 32;
  event.xclient.data.l[0] = a0;
  event.xclient.data.l[1] = a1;
  event.xclient.data.l[2] = a2;
  event.xclient.data.l[3] = a3;
  XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

}  // namespace somnara::platform
