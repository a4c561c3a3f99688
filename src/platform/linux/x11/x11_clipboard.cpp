#include "platform/linux/x11/x11_clipboard.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include "platform/linux/x11/text_encoding.h"
#include "platform/linux/x11/x11_error_trap.h"
#include "platform/linux/x11/x11_window_system.h"

namespace somnara::platform {

X11Clipboard::X11Clipboard(X11WindowSystem& windows) : windows_(windows) {
  Display* d = windows_.display();
  XSetWindowAttributes attributes{};
  attributes.event_mask = PropertyChangeMask;
  window_ = XCreateWindow(d, DefaultRootWindow(d), -10, -10, 1, 1, 0, 0, InputOnly, CopyFromParent,
                          CWEventMask, &attributes);
  clipboard_ = XInternAtom(d, "CLIPBOARD", False);
  targets_ = XInternAtom(d, "TARGETS", False);
  utf8_string_ = XInternAtom(d, "UTF8_STRING", False);
  timestamp_ = XInternAtom(d, "SOMNARA_CLIPBOARD_TIME", False);
  windows_.SetEventFilter([this](_XEvent& event) { return HandleEvent(event); });
}

X11Clipboard::~X11Clipboard() {
  windows_.SetEventFilter(nullptr);
  XDestroyWindow(windows_.display(), window_);
  XFlush(windows_.display());
}

unsigned long X11Clipboard::ServerTime() {
  Display* d = windows_.display();
  XChangeProperty(d, window_, timestamp_, XA_INTEGER, 32, PropModeAppend, nullptr, 0);
  XEvent event;
  // Only our window's property change is taken out of the queue; the rest stays for the
  // event loop.
  XWindowEvent(d, window_, PropertyChangeMask, &event);
  return event.xproperty.time;
}

bool X11Clipboard::SetText(const std::string& text) {
  Display* d = windows_.display();
  const Time now = ServerTime();
  XSetSelectionOwner(d, clipboard_, window_, now);
  // The server refuses silently (a later owner's time); only asking tells.
  if (XGetSelectionOwner(d, clipboard_) != window_) {
    owns_ = false;
    text_.clear();
    return false;
  }
  owns_ = true;
  owned_since_ = now;
  text_ = text;
  return true;
}

bool X11Clipboard::HandleEvent(_XEvent& event) {
  if (event.xany.window != window_) return false;
  if (event.type == SelectionRequest) {
    AnswerRequest(event);
  } else if (event.type == SelectionClear && event.xselectionclear.selection == clipboard_) {
    owns_ = false;
    text_.clear();
  }
  return true;
}

void X11Clipboard::AnswerRequest(const _XEvent& event) {
  Display* d = windows_.display();
  const XSelectionRequestEvent& request = event.xselectionrequest;
  XSelectionEvent reply{};
  reply.type = SelectionNotify;
  reply.display = d;
  reply.requestor = request.requestor;
  reply.selection = request.selection;
  reply.target = request.target;
  reply.time = request.time;
  reply.property = None;
  // Old clients name no property: the answer goes to one named after the target.
  const Atom property = request.property != None ? request.property : request.target;
  const bool current = request.time == CurrentTime || request.time >= owned_since_;
  // Text too large for one request would need the incremental protocol; such a request is
  // refused rather than cut short.
  long max_bytes = XExtendedMaxRequestSize(d);
  if (max_bytes == 0) max_bytes = XMaxRequestSize(d);
  max_bytes = max_bytes * 4 - 1024;
  // The requestor may be gone already; errors about its window are no fault of ours.
  x11::ErrorTrap trap(d);
  if (owns_ && current && request.selection == clipboard_) {
    if (request.target == targets_) {
      const Atom offered[] = {targets_, utf8_string_, XA_STRING};
      XChangeProperty(d, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(offered), 3);
      reply.property = property;
    } else if (request.target == utf8_string_ || request.target == XA_STRING) {
      const std::string data = request.target == XA_STRING ? x11::Utf8ToLatin1(text_) : text_;
      if (long(data.size()) <= max_bytes) {
        XChangeProperty(d, request.requestor, property, request.target, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(data.data()), int(data.size()));
        reply.property = property;
      }
    }
  }
  XSendEvent(d, request.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
  trap.Failed();
}

}  // namespace somnara::platform
