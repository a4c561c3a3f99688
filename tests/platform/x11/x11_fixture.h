#pragma once

#include <gtest/gtest.h>
// After gtest: Xlib's macros (None, Bool) clash with its names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <sys/wait.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/linux/x11/x11_window.h"
#include "platform/linux/x11/x11_window_system.h"
#include "support/xvfb_server.h"

namespace somnara::testing {

using platform::InputEvent;
using Kind = platform::InputEvent::Kind;

// Keeps every event a window reports; an optional hook reacts while they arrive.
class RecordingListener : public platform::NativeWindowListener {
 public:
  void OnNativeEvent(const InputEvent& event) override {
    events.push_back(event);
    if (hook) hook(event);
  }
  int Count(Kind kind) const;
  const InputEvent* Last(Kind kind) const;
  // The kinds received, with moves and exposures left out.
  std::vector<Kind> InputKinds() const;

  std::vector<InputEvent> events;
  std::function<void(const InputEvent&)> hook;
};

// A private Xvfb (and openbox when WithWindowManager() says so), a second
// connection for looking at what the server really holds, and the backend.
class X11Test : public ::testing::Test {
 protected:
  virtual bool WithWindowManager() const { return false; }
  virtual platform::X11WindowSystem::Options SystemOptions() const { return {}; }

  void SetUp() override;
  void TearDown() override;

  std::unique_ptr<platform::X11Window> NewWindow(const Rect& bounds, RecordingListener* listener,
                                                 bool stay_on_top = false, bool full_screen = false,
                                                 platform::NativeWindow* owner = nullptr,
                                                 const std::string& title = "test");
  // Shows a window and waits until the server has mapped it (and, with a window
  // manager, until it has been reparented).
  void ShowAndWait(platform::X11Window& window);
  // Fills the whole window with one colour.
  void Fill(platform::X11Window& window, uint32_t rgb);

  void Pump(int ms);
  bool PumpUntil(const std::function<bool()>& done, int timeout_ms = 3000);
  // Runs a program (xdotool) on the display while the backend keeps serving events.
  bool RunTool(const std::vector<std::string>& argv, int timeout_ms = 5000);

  Window TopLevel(Window window);
  // Position among the root's children, bottom = 0; -1 if not there.
  int StackPosition(Window window);
  bool Viewable(Window window);
  uint32_t ScreenPixel(int x, int y);
  Rect RootGeometry(Window window);
  std::vector<long> LongProperty(Window window, const char* name, Atom type);
  std::string TextProperty(Window window, const char* name, const char* type);
  std::vector<std::string> AtomNames(Window window, const char* name);
  Atom Intern(const char* name) { return XInternAtom(probe_, name, False); }

  XvfbServer xvfb_;
  WindowManager wm_;
  Display* probe_ = nullptr;
  std::unique_ptr<platform::X11WindowSystem> system_;
  // The pixels each window was filled with, kept as a presenter keeps them.
  std::map<const platform::X11Window*, std::vector<uint32_t>> filled_;
};

class X11WithWmTest : public X11Test {
 protected:
  bool WithWindowManager() const override { return true; }
};

}  // namespace somnara::testing
