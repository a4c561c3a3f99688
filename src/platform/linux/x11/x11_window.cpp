#include "platform/linux/x11/x11_window.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/linux/x11/double_click_detector.h"
#include "platform/linux/x11/key_translation.h"
#include "platform/linux/x11/stacking_order.h"
#include "platform/linux/x11/text_encoding.h"
#include "platform/linux/x11/x11_atoms.h"
#include "platform/linux/x11/x11_surface.h"
#include "platform/linux/x11/x11_window_system.h"
#include "platform/utf8.h"

namespace somnara::platform {
namespace {

constexpr int kMaxSide = 32767;
constexpr size_t kMaxRequestedBounds = 32;

enum StateBit : unsigned { kAbove = 1, kModal = 2 };

constexpr long kEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                            EnterWindowMask | LeaveWindowMask | KeyPressMask | KeyReleaseMask |
                            FocusChangeMask | StructureNotifyMask | VisibilityChangeMask;

// Windows must have a size of at least one pixel and fit the protocol's 16 bits.
Rect Sanitize(const Rect& r) {
  const int left = std::clamp(r.left, -kMaxSide, kMaxSide);
  const int top = std::clamp(r.top, -kMaxSide, kMaxSide);
  const int width = std::clamp(r.right - r.left, 1, kMaxSide);
  const int height = std::clamp(r.bottom - r.top, 1, kMaxSide);
  return Rect::FromSize(left, top, width, height);
}

unsigned ModifiersOf(unsigned state) {
  unsigned m = 0;
  if (state & ShiftMask) m |= kShift;
  if (state & ControlMask) m |= kCtrl;
  if (state & Mod1Mask) m |= kAlt;
  return m;
}

// The state of a pointer event is from before the event.
MouseButtons HeldButtons(unsigned state) {
  MouseButtons held;
  held.left = (state & Button1Mask) != 0;
  held.middle = (state & Button2Mask) != 0;
  held.right = (state & Button3Mask) != 0;
  return held;
}

short ClampShort(int v) {
  return short(std::clamp(v, int(SHRT_MIN), int(SHRT_MAX)));
}

}  // namespace

X11Window::X11Window(X11WindowSystem* system, const NativeWindowOptions& options,
                     NativeWindowListener* listener)
    : system_(system), display_(system->display()), listener_(listener) {
  full_screen_ = options.full_screen;
  stay_on_top_ = options.stay_on_top;
  if (full_screen_) {
    const Size screen = system_->ScreenSize();
    bounds_ = Sanitize(Rect::FromSize(0, 0, screen.width, screen.height));
  } else {
    bounds_ = Sanitize(options.bounds);
  }

  auto* visual = static_cast<Visual*>(system_->visual());
  XSetWindowAttributes attributes{};
  // Black until the first picture arrives; afterwards the server must not clear
  // exposed parts, the kept picture repairs them without a flash.
  attributes.background_pixel = 0;
  attributes.border_pixel = 0;
  attributes.colormap = system_->colormap();
  attributes.bit_gravity = NorthWestGravity;
  attributes.event_mask = kEventMask;
  const Point at = ToRoot({bounds_.left, bounds_.top});
  xid_ = XCreateWindow(display_, system_->root(), at.x, at.y, unsigned(bounds_.Width()),
                       unsigned(bounds_.Height()), 0, system_->depth(), InputOutput, visual,
                       CWBackPixel | CWBorderPixel | CWColormap | CWBitGravity | CWEventMask,
                       &attributes);
  XGCValues values{};
  values.graphics_exposures = False;
  gc_ = XCreateGC(display_, xid_, GCGraphicsExposures, &values);
  surface_ = std::make_unique<x11::X11Surface>(
      display_, visual, system_->depth(), system_->allow_shared_memory(), system_->lend_pixels());
  // The blend is made in blended_pixels_, which stays as it is until the next blend.
  blended_ = std::make_unique<x11::X11Surface>(
      display_, visual, system_->depth(), system_->allow_shared_memory(), system_->lend_pixels());
  system_->Register(this);

  ApplyHints();
  ApplySizeHints();
  SetTitle(options.title);
  if (options.owner) SetOwner(options.owner);
  UpdateNetWmState();
}

X11Window::~X11Window() {
  if (!alive()) return;
  X11WindowSystem* system = system_;
  const bool was_shown = shown();
  system->OwnerGone(this);
  Detach();
  system->Unregister(this);
  if (was_shown) system->FocusTopmost(nullptr);
}

void X11Window::Detach() {
  if (!alive()) return;
  if (captured_ || dragging_) XUngrabPointer(display_, CurrentTime);
  captured_ = dragging_ = false;
  surface_.reset();
  blended_.reset();
  XFreeGC(display_, gc_);
  gc_ = nullptr;
  XDestroyWindow(display_, xid_);
  XFlush(display_);
  system_ = nullptr;
}

void X11Window::ApplyHints() {
  const x11::X11Atoms& atoms = system_->atoms();
  XClassHint class_hint{};
  char name[] = "somnara";
  class_hint.res_name = name;
  class_hint.res_class = name;
  XSetClassHint(display_, xid_, &class_hint);

  SetWmHints(false);

  Atom protocols[] = {atoms.wm_delete_window, atoms.net_wm_ping};
  XSetWMProtocols(display_, xid_, protocols, 2);

  // The framework draws the frame; ask for none from the window manager.
  const long motif[5] = {2 /* decorations field valid */, 0, 0 /* no decorations */, 0, 0};
  XChangeProperty(display_, xid_, atoms.motif_wm_hints, atoms.motif_wm_hints, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(motif), 5);

  const long type = long(atoms.net_wm_window_type_normal);
  XChangeProperty(display_, xid_, atoms.net_wm_window_type, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&type), 1);

  // _NET_WM_PID is only meaningful together with the host name.
  char host[256] = "";
  if (gethostname(host, sizeof host - 1) == 0) {
    XTextProperty text{};
    char* list[] = {host};
    if (XStringListToTextProperty(list, 1, &text)) {
      XSetWMClientMachine(display_, xid_, &text);
      XFree(text.value);
    }
    const long pid = long(getpid());
    XChangeProperty(display_, xid_, atoms.net_wm_pid, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
  }
}

void X11Window::SetWmHints(bool iconic) {
  XWMHints wm_hints{};
  wm_hints.flags = InputHint | StateHint;
  wm_hints.input = True;
  wm_hints.initial_state = iconic ? IconicState : NormalState;
  XSetWMHints(display_, xid_, &wm_hints);
}

void X11Window::ApplySizeHints() {
  XSizeHints* hints = XAllocSizeHints();
  if (!hints) return;
  // User-specified position: window managers place the window where we say.
  hints->flags = USPosition | USSize | PPosition | PSize | PWinGravity;
  const Point at = ToRoot({bounds_.left, bounds_.top});
  hints->x = at.x;
  hints->y = at.y;
  hints->width = bounds_.Width();
  hints->height = bounds_.Height();
  if (full_screen_) {
    // Its size is fixed once made: a window manager that follows a change of resolution
    // or of monitors has no ground to resize it.
    hints->flags |= PMinSize | PMaxSize;
    hints->min_width = hints->max_width = bounds_.Width();
    hints->min_height = hints->max_height = bounds_.Height();
  }
  hints->win_gravity = NorthWestGravity;
  XSetWMNormalHints(display_, xid_, hints);
  XFree(hints);
}

void X11Window::SetTitle(const std::string& title) {
  if (!alive()) return;
  title_ = title;
  const std::string latin1 = x11::Utf8ToLatin1(title);
  const std::string utf8 = SanitizeUtf8(title);
  XChangeProperty(display_, xid_, XA_WM_NAME, XA_STRING, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(latin1.data()), int(latin1.size()));
  XChangeProperty(display_, xid_, system_->atoms().net_wm_name, system_->atoms().utf8_string, 8,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(utf8.data()),
                  int(utf8.size()));
}

void X11Window::RequestMove(const Rect& bounds) {
  requested_bounds_.push_back(bounds);
  if (requested_bounds_.size() > kMaxRequestedBounds) requested_bounds_.pop_front();
  const Point at = ToRoot({bounds.left, bounds.top});
  XMoveResizeWindow(display_, xid_, at.x, at.y, unsigned(bounds.Width()),
                    unsigned(bounds.Height()));
}

void X11Window::SetBounds(const Rect& bounds) {
  if (!alive()) return;
  const Rect wanted = Sanitize(bounds);
  if (wanted == bounds_) return;
  bounds_ = wanted;
  ApplySizeHints();
  RequestMove(wanted);
}

void X11Window::SetVisible(bool visible) {
  if (!alive() || visible == visible_) return;
  visible_ = visible;
  if (visible)
    Map();
  else
    Unmap();  // withdrawn, also from the iconic state
}

void X11Window::Map() {
  const bool wm = system_->HasWindowManager();
  if (minimized_ && !wm) return;  // without a window manager a minimized window is unmapped
  if (!wm_managed_) {
    // The first frame must already have the window's opacity: a fading window that
    // showed at full opacity for one frame would flash.
    PushOpacity();
    UpdateNetWmState();
    // A window shown while minimized starts as an icon.
    SetWmHints(minimized_);
  }
  FrameAsBackground();
  XMapWindow(display_, xid_);
  wm_managed_ = wm;
  system_->stacking().Raise(xid_);
  if (!wm) {
    system_->Restack();
    // Nobody else gives a new window the keyboard; do it once the server has mapped it.
    if (!system_->ModalBlocking(this)) focus_on_map_ = true;
  }
  XFlush(display_);
}

void X11Window::Unmap() {
  ReleaseCapture();
  if (dragging_) EndDrag();
  bool had_focus = false;
  if (!system_->HasWindowManager()) {
    Window focus = None;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    had_focus = focus == xid_;
  }
  focus_on_map_ = false;
  // Withdrawing tells a window manager the window is gone, not just iconic.
  XWithdrawWindow(display_, xid_, DefaultScreen(display_));
  wm_managed_ = false;
  // A hidden window keeps no picture: the framework presents a whole one before it maps
  // the window again.
  surface_->Release();
  blended_->Release();
  std::vector<uint32_t>().swap(picture_);
  std::vector<uint32_t>().swap(blended_pixels_);
  picture_size_ = {};
  if (had_focus) system_->FocusTopmost(this);
  XFlush(display_);
}

void X11Window::SetOpacity(uint8_t opacity) {
  if (!alive()) return;
  opacity_ = opacity;
  if (int(opacity) != pushed_opacity_) system_->OpacityChanged();
}

void X11Window::PushOpacity() {
  if (!alive() || int(opacity_) == pushed_opacity_) return;
  const Atom atom = system_->atoms().net_wm_window_opacity;
  if (opacity_ == 255) {
    XDeleteProperty(display_, xid_, atom);
  } else {
    // 0..255 spread over 0..0xFFFFFFFF: 0xFFFFFFFF / 255 is exactly 0x01010101.
    const unsigned long value = (unsigned long)opacity_ * 0x01010101UL;
    XChangeProperty(display_, xid_, atom, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&value), 1);
  }
  pushed_opacity_ = opacity_;
  system_->NoteOpacityPush();
  if (!system_->Compositing() && mapped_) {
    Show(Rect::FromSize(0, 0, picture_size_.width, picture_size_.height));
    system_->ShownChanged(this, bounds_);
  }
}

const uint32_t* X11Window::PictureRow(int y) const {
  if (const uint32_t* row = surface_->Row(y)) return row;
  return picture_.data() + size_t(y) * size_t(picture_size_.width);
}

void X11Window::FrameAsBackground() {
  // A blended window shows what lies beneath it, which the server's default (nothing
  // painted) already does.
  if (Blended() || !surface_->HasContent()) return;
  const Size size = surface_->size();
  const Pixmap frame = XCreatePixmap(display_, xid_, unsigned(size.width), unsigned(size.height),
                                     unsigned(system_->depth()));
  surface_->Put(frame, gc_, Rect::FromSize(0, 0, size.width, size.height));
  XSetWindowBackgroundPixmap(display_, xid_, frame);
  XFreePixmap(display_, frame);  // the server keeps it while it is the background
  frame_background_ = true;
}

void X11Window::ReportSeen(std::vector<InputEvent>& out) {
  const bool seen = !covered_ && !system_->DisplayOff();
  if (seen == reported_seen_) return;
  reported_seen_ = seen;
  InputEvent e;
  e.kind = InputEvent::Kind::kVisibility;
  e.visible = seen;
  out.push_back(e);
}

bool X11Window::Blended() const {
  return opacity_ < 255 && !system_->Compositing();
}

void X11Window::Show(const Rect& area) {
  if (!alive() || !mapped_ || !surface_->HasContent()) return;
  const Rect part = area.Intersect(Rect::FromSize(0, 0, picture_size_.width, picture_size_.height));
  if (part.IsEmpty()) return;
  system_->NotePresent();
  if (!Blended()) {
    surface_->Put(xid_, gc_, part);
    return;
  }
  const size_t width = size_t(picture_size_.width);
  blended_pixels_.resize(width * size_t(picture_size_.height));
  std::vector<uint32_t> beneath(size_t(part.Width()) * size_t(part.Height()));
  system_->ComposeBeneath(this, part.Offset(bounds_.left, bounds_.top), beneath.data());
  const uint32_t a = opacity_;
  for (int y = part.top; y < part.bottom; ++y) {
    const uint32_t* over = PictureRow(y);
    const uint32_t* under = beneath.data() + size_t(y - part.top) * size_t(part.Width());
    uint32_t* out = blended_pixels_.data() + size_t(y) * width;
    for (int x = part.left; x < part.right; ++x)
      out[x] = x11::BlendPixel(over[x], under[x - part.left], a);
  }
  const PixelView view{blended_pixels_.data(), picture_size_.width, picture_size_.height,
                       picture_size_.width};
  blended_->Update(view, part);
  blended_->Put(xid_, gc_, part);
}

void X11Window::SetRegion(const Region& region) {
  if (!alive() || !system_->ShapeAvailable()) return;
  if (region.IsEmpty()) {
    XShapeCombineMask(display_, xid_, ShapeBounding, 0, 0, None, ShapeSet);
    return;
  }
  // A list of only empty rectangles leaves nothing of the window, as the
  // desktop platform does with an empty region.
  std::vector<XRectangle> rects;
  rects.reserve(region.rects.size());
  for (const Rect& r : region.rects) {
    const Rect c = r.Intersect(Rect::FromSize(-kMaxSide, -kMaxSide, 2 * kMaxSide, 2 * kMaxSide));
    if (c.IsEmpty()) continue;
    rects.push_back({ClampShort(c.left), ClampShort(c.top),
                     static_cast<unsigned short>(std::min(c.Width(), 65535)),
                     static_cast<unsigned short>(std::min(c.Height(), 65535))});
  }
  XShapeCombineRectangles(display_, xid_, ShapeBounding, 0, 0, rects.data(), int(rects.size()),
                          ShapeSet, Unsorted);
}

void X11Window::UpdateNetWmState() {
  if (!alive()) return;
  const x11::X11Atoms& atoms = system_->atoms();
  unsigned want = 0;
  if (system_->EffectiveOnTop(this)) want |= kAbove;
  if (modal_) want |= kModal;
  const struct {
    unsigned bit;
    unsigned long atom;
  } states[] = {{kAbove, atoms.net_wm_state_above}, {kModal, atoms.net_wm_state_modal}};
  if (wm_managed_ && system_->HasWindowManager()) {
    // While managed the window manager owns the property; ask it for changes.
    for (const auto& s : states) {
      if ((want & s.bit) == (applied_states_ & s.bit)) continue;
      system_->SendToWindowManager(xid_, atoms.net_wm_state, (want & s.bit) ? 1 : 0, long(s.atom),
                                   0, 1);
    }
  } else {
    std::vector<long> list;
    for (const auto& s : states)
      if (want & s.bit) list.push_back(long(s.atom));
    XChangeProperty(display_, xid_, atoms.net_wm_state, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(list.data()), int(list.size()));
  }
  applied_states_ = want;
}

void X11Window::SetStayOnTop(bool on_top) {
  if (!alive() || on_top == stay_on_top_) return;
  stay_on_top_ = on_top;
  UpdateNetWmState();
  system_->UpdateOwnedStates(this);
  system_->Restack();
  XFlush(display_);
}

void X11Window::SetOwner(NativeWindow* owner) {
  if (!alive()) return;
  auto* o = dynamic_cast<X11Window*>(owner);
  if (o && (o->system_ != system_ || o == this || system_->IsOwnedBy(o, this)))
    return;  // another display's window, or a loop of owners
  if (o == owner_) return;
  owner_ = o;
  system_->stacking().SetOwner(xid_, o ? o->xid_ : 0);
  if (o)
    XSetTransientForHint(display_, xid_, o->xid_);
  else
    XDeleteProperty(display_, xid_, XA_WM_TRANSIENT_FOR);
  UpdateNetWmState();
  system_->UpdateOwnedStates(this);
  system_->Restack();
}

void X11Window::SetModal(bool modal) {
  if (!alive() || modal == modal_) return;
  modal_ = modal;
  UpdateNetWmState();
  if (modal) {
    // Owners take no input from now on: a capture or drag they hold ends here.
    for (X11Window* o = owner_; o && o != this; o = o->owner_) {
      o->ReleaseCapture();
      if (o->dragging_) o->EndDrag();
    }
  }
  XFlush(display_);
}

void X11Window::SetMinimized(bool minimized) {
  if (!alive() || minimized == minimized_) return;
  minimized_ = minimized;
  if (!visible_) return;
  if (minimized) {
    ReleaseCapture();
    if (dragging_) EndDrag();
    if (system_->HasWindowManager())
      XIconifyWindow(display_, xid_, DefaultScreen(display_));
    else
      XUnmapWindow(display_, xid_);  // no window manager, no icons: just out of sight
  } else {
    Map();
  }
  XFlush(display_);
}

void X11Window::Raise() {
  if (!alive()) return;
  system_->stacking().Raise(xid_);
  if (system_->HasWindowManager())
    XRaiseWindow(display_, xid_);
  else
    system_->Restack();
  XFlush(display_);
}

void X11Window::Focus() {
  if (!alive() || !shown()) return;
  if (!mapped_) {
    focus_on_map_ = true;
    return;
  }
  FocusNow();
}

void X11Window::FocusNow() {
  if (system_->HasWindowManager()) {
    system_->SendToWindowManager(xid_, system_->atoms().net_active_window, 1, CurrentTime, 0, 0);
  } else {
    XSetInputFocus(display_, xid_, RevertToParent, CurrentTime);
  }
  XFlush(display_);
}

void X11Window::OnMapped() {
  if (!focus_on_map_) return;
  focus_on_map_ = false;
  if (shown()) FocusNow();
}

void X11Window::CaptureMouse(bool capture) {
  if (!alive()) return;
  if (capture && !captured_ && !dragging_) {
    if (!mapped_) return;
    const int status = XGrabPointer(
        display_, xid_, False,
        ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask | LeaveWindowMask,
        GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
    captured_ = status == GrabSuccess;
  } else if (!capture) {
    ReleaseCapture();
  }
  XFlush(display_);
}

void X11Window::ReleaseCapture() {
  if (!captured_) return;
  captured_ = false;
  XUngrabPointer(display_, CurrentTime);
}

void X11Window::Present(const PixelView& pixels, const Rect& damage) {
  if (!alive()) return;
  const Size before = picture_size_;
  const Rect area = surface_->Update(pixels, damage);
  if (area.IsEmpty()) return;
  picture_size_ = surface_->size();
  if (surface_->Row(0) == nullptr) {
    // Kept for blending (this window's own and that of windows above it) in our layout,
    // since the surface holds the server's.
    const Rect copied = picture_size_ == before
                            ? area
                            : Rect::FromSize(0, 0, picture_size_.width, picture_size_.height);
    picture_.resize(size_t(picture_size_.width) * size_t(picture_size_.height));
    for (int y = copied.top; y < copied.bottom; ++y)
      std::memcpy(picture_.data() + size_t(y) * size_t(picture_size_.width) + size_t(copied.left),
                  pixels.pixels + size_t(y) * size_t(pixels.stride) + size_t(copied.left),
                  size_t(copied.Width()) * sizeof(uint32_t));
  }
  if (!mapped_) return;  // an unmapped window is repaired on its Expose
  Show(area);
  if (!system_->Compositing()) system_->ShownChanged(this, area.Offset(bounds_.left, bounds_.top));
}

void X11Window::ForgetPresented() {
  if (!alive() || !surface_->Lent()) return;
  // Exposed parts are asked of the framework until it presents again.
  surface_->Release();
  picture_size_ = {};
}

bool X11Window::UsesSharedMemory() const {
  return surface_ && surface_->UsesSharedMemory();
}

void X11Window::BeginMoveDrag(Point screen_start) {
  if (!alive() || !mapped_ || dragging_) return;
  // Only while the left button is still down: a drag that missed its release would
  // hold the pointer for good.
  Window root = None;
  Window child = None;
  int root_x = 0, root_y = 0, x = 0, y = 0;
  unsigned int mask = 0;
  XQueryPointer(display_, xid_, &root, &child, &root_x, &root_y, &x, &y, &mask);
  if (!(mask & Button1Mask)) return;
  const int status = XGrabPointer(display_, xid_, False, ButtonReleaseMask | PointerMotionMask,
                                  GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
  if (status != GrabSuccess) return;
  captured_ = false;  // the drag's grab replaces a capture
  dragging_ = true;
  drag_offset_ = {screen_start.x - bounds_.left, screen_start.y - bounds_.top};
  XFlush(display_);
}

Point X11Window::ToRoot(Point p) const {
  const Point origin = system_->Origin();
  return {p.x + origin.x, p.y + origin.y};
}

Point X11Window::FromRoot(int x, int y) const {
  const Point origin = system_->Origin();
  return {x - origin.x, y - origin.y};
}

void X11Window::DragTo(Point screen, std::vector<InputEvent>& out) {
  const Rect moved = Rect::FromSize(screen.x - drag_offset_.x, screen.y - drag_offset_.y,
                                    bounds_.Width(), bounds_.Height());
  if (moved == bounds_) return;
  bounds_ = moved;
  RequestMove(moved);
  InputEvent e;
  e.kind = InputEvent::Kind::kMoved;
  e.area = moved;
  e.screen = screen;
  out.push_back(e);
}

void X11Window::EndDrag() {
  dragging_ = false;
  XUngrabPointer(display_, CurrentTime);
  ApplySizeHints();  // where the user left it is where it should come back
  XFlush(display_);
}

std::vector<InputEvent> X11Window::Translate(XEvent& event) {
  std::vector<InputEvent> out;
  switch (event.type) {
    case Expose:
      Repair(Rect::FromSize(event.xexpose.x, event.xexpose.y, event.xexpose.width,
                            event.xexpose.height),
             out);
      break;
    case ButtonPress:
      TranslateButton(event, out);
      break;
    case ButtonRelease:
      if (dragging_) {
        if (event.xbutton.button == Button1) EndDrag();
        break;  // the release that ends a drag belongs to the drag
      }
      TranslateButton(event, out);
      break;
    case MotionNotify: {
      // Only the latest of a run of motions matters.
      XEvent next;
      while (XEventsQueued(display_, QueuedAlready) > 0) {
        XPeekEvent(display_, &next);
        if (next.type != MotionNotify || next.xmotion.window != xid_) break;
        XNextEvent(display_, &event);
      }
      const XMotionEvent& m = event.xmotion;
      if (dragging_) {
        DragTo(FromRoot(m.x_root, m.y_root), out);
        break;
      }
      InputEvent e;
      e.kind = InputEvent::Kind::kMouseMove;
      e.pos = {m.x, m.y};
      e.screen = FromRoot(m.x_root, m.y_root);
      e.modifiers = ModifiersOf(m.state);
      e.held = HeldButtons(m.state);
      out.push_back(e);
      break;
    }
    case EnterNotify:
    case LeaveNotify: {
      const XCrossingEvent& c = event.xcrossing;
      // Crossings caused by a grab starting are not the pointer moving.
      if (c.mode == NotifyGrab || dragging_ || c.detail == NotifyInferior) break;
      InputEvent e;
      e.kind =
          event.type == EnterNotify ? InputEvent::Kind::kMouseEnter : InputEvent::Kind::kMouseLeave;
      e.pos = {c.x, c.y};
      e.screen = FromRoot(c.x_root, c.y_root);
      e.modifiers = ModifiersOf(c.state);
      e.held = HeldButtons(c.state);
      out.push_back(e);
      break;
    }
    case KeyPress:
    case KeyRelease:
      TranslateKey(event, out);
      break;
    case FocusIn:
    case FocusOut: {
      const XFocusChangeEvent& f = event.xfocus;
      if (f.mode == NotifyGrab || f.mode == NotifyUngrab || f.detail == NotifyPointer ||
          f.detail == NotifyInferior || f.detail == NotifyPointerRoot ||
          f.detail == NotifyDetailNone)
        break;
      const bool in = event.type == FocusIn;
      if (in == has_focus_) break;
      has_focus_ = in;
      InputEvent e;
      e.kind = in ? InputEvent::Kind::kFocusIn : InputEvent::Kind::kFocusOut;
      out.push_back(e);
      break;
    }
    case ClientMessage: {
      const x11::X11Atoms& atoms = system_->atoms();
      const XClientMessageEvent& m = event.xclient;
      if (m.message_type != atoms.wm_protocols || m.format != 32) break;
      if (Atom(m.data.l[0]) == atoms.wm_delete_window) {
        InputEvent e;
        e.kind = InputEvent::Kind::kCloseRequest;
        out.push_back(e);
      } else if (Atom(m.data.l[0]) == atoms.net_wm_ping) {
        // Answering tells the window manager we are alive.
        XEvent reply = event;
        reply.xclient.window = system_->root();
        XSendEvent(display_, system_->root(), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &reply);
      }
      break;
    }
    case ConfigureNotify:
      TranslateConfigure(event, out);
      break;
    case MapNotify:
      mapped_ = true;
      if (frame_background_) {
        // Painted at the map already; exposed parts are repaired from the kept picture,
        // and the server need not hold a second copy of the frame.
        XSetWindowBackgroundPixmap(display_, xid_, None);
        frame_background_ = false;
      }
      OnMapped();
      break;
    case VisibilityNotify:
      covered_ = event.xvisibility.state == VisibilityFullyObscured;
      ReportSeen(out);
      break;
    case UnmapNotify:
      mapped_ = false;
      // The server ends grabs on windows that stop being viewable.
      captured_ = false;
      dragging_ = false;
      break;
    case ReparentNotify:
      reparented_ = event.xreparent.parent != system_->root();
      if (reparented_) system_->NoteReparented();
      break;
    default:
      break;
  }
  return out;
}

void X11Window::TranslateButton(const XEvent& event, std::vector<InputEvent>& out) {
  const XButtonEvent& b = event.xbutton;
  InputEvent e;
  switch (b.button) {
    case Button1:
      e.button = MouseButton::kLeft;
      break;
    case Button2:
      e.button = MouseButton::kMiddle;
      break;
    case Button3:
      e.button = MouseButton::kRight;
      break;
    default:
      return;  // wheel and extra buttons have no event of their own
  }
  e.pos = {b.x, b.y};
  e.screen = FromRoot(b.x_root, b.y_root);
  e.modifiers = ModifiersOf(b.state);
  e.held = HeldButtons(b.state).With(e.button, event.type == ButtonPress);
  if (event.type == ButtonPress) {
    const bool is_double =
        system_->double_click().OnPress(xid_, int(b.button), b.x_root, b.y_root, uint32_t(b.time));
    e.kind = is_double ? InputEvent::Kind::kDoubleClick : InputEvent::Kind::kMouseDown;
  } else {
    e.kind = InputEvent::Kind::kMouseUp;
  }
  out.push_back(e);
}

void X11Window::TranslateKey(XEvent& event, std::vector<InputEvent>& out) {
  XKeyEvent& k = event.xkey;
  char text[32];
  KeySym resolved = NoSymbol;
  XLookupString(&k, text, sizeof text, &resolved, nullptr);
  const KeySym base = XLookupKeysym(&k, 0);
  const uint32_t vk = x11::VirtualKeyFromKeysym(base, resolved);
  const bool press = event.type == KeyPress;
  // The state is from before the event; a modifier key counts itself as it changes.
  unsigned modifiers = ModifiersOf(k.state);
  const unsigned own = x11::ModifierOfVirtualKey(vk);
  modifiers = press ? (modifiers | own) : (modifiers & ~own);

  InputEvent e;
  e.pos = {k.x, k.y};
  e.screen = FromRoot(k.x_root, k.y_root);
  e.modifiers = modifiers;
  if (vk != 0) {
    e.kind = press ? InputEvent::Kind::kKeyDown : InputEvent::Kind::kKeyUp;
    e.key = vk;
    out.push_back(e);
  }
  if (!press) return;
  const uint32_t ch = x11::CharFromKeysym(resolved, modifiers);
  if (ch == 0) return;
  e.kind = InputEvent::Kind::kChar;
  e.key = vk;
  e.ch = ch;
  out.push_back(e);
}

void X11Window::TranslateConfigure(const XEvent& event, std::vector<InputEvent>& out) {
  const XConfigureEvent& c = event.xconfigure;
  Rect actual;
  if (c.send_event || !reparented_) {
    // Synthetic notices from a window manager carry root coordinates.
    const Point at = FromRoot(c.x, c.y);
    actual = Rect::FromSize(at.x, at.y, c.width, c.height);
  } else {
    Window child = None;
    int x = 0, y = 0;
    XTranslateCoordinates(display_, xid_, system_->root(), 0, 0, &x, &y, &child);
    const Point at = FromRoot(x, y);
    actual = Rect::FromSize(at.x, at.y, c.width, c.height);
  }
  if (actual == bounds_) {
    requested_bounds_.clear();
    return;
  }
  // A notice of an earlier request of ours, overtaken by a later one.
  auto it = std::find(requested_bounds_.begin(), requested_bounds_.end(), actual);
  if (it != requested_bounds_.end()) {
    requested_bounds_.erase(requested_bounds_.begin(), it + 1);
    return;
  }
  // The window manager (or the server) put the window elsewhere.
  requested_bounds_.clear();
  bounds_ = actual;
  InputEvent e;
  e.kind = InputEvent::Kind::kMoved;
  e.area = actual;
  out.push_back(e);
}

void X11Window::Repair(const Rect& area, std::vector<InputEvent>& out) {
  if (surface_->HasContent()) {
    Show(area);
    const Size kept = surface_->size();
    if (area.Intersect(Rect::FromSize(0, 0, kept.width, kept.height)) == area) return;
  }
  // Nothing kept for this part yet (never presented, or the window grew): ask.
  InputEvent e;
  e.kind = InputEvent::Kind::kExpose;
  e.area = area;
  out.push_back(e);
}

}  // namespace somnara::platform
