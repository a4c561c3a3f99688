#pragma once

#include <string>

#include "platform/clipboard.h"

union _XEvent;

namespace somnara::platform {

class X11WindowSystem;

// The CLIPBOARD selection of the X server the window system talks to. Setting text makes a
// small window of ours the selection's owner; the window system's event loop then hands us
// every request for it, which we answer with the text as UTF8_STRING or STRING (and the
// list of those under TARGETS) for as long as we own it: until the program ends or another
// program takes the clipboard.
class X11Clipboard : public Clipboard {
 public:
  explicit X11Clipboard(X11WindowSystem& windows);
  ~X11Clipboard() override;
  X11Clipboard(const X11Clipboard&) = delete;
  X11Clipboard& operator=(const X11Clipboard&) = delete;

  bool SetText(const std::string& text) override;

  // Whether we still own the selection (another client may have taken it since).
  bool Owns() const { return owns_; }

 private:
  // Requests for the selection and the news that we lost it; false for other events.
  bool HandleEvent(_XEvent& event);
  void AnswerRequest(const _XEvent& event);
  // The server's time now, read from a property change on our window.
  unsigned long ServerTime();

  X11WindowSystem& windows_;
  unsigned long window_ = 0;
  unsigned long clipboard_ = 0;
  unsigned long targets_ = 0;
  unsigned long utf8_string_ = 0;
  unsigned long timestamp_ = 0;  // a property we touch to learn the server's time
  bool owns_ = false;
  unsigned long owned_since_ = 0;
  std::string text_;
};

}  // namespace somnara::platform
