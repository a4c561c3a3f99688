// Stacking and focus: the backdrop stays above other programs' windows and below
// the program's own later windows, with a window manager and without one.
#include <gtest/gtest.h>

#include "platform/x11/x11_fixture.h"

namespace somnara::testing {
namespace {

// Another program's ordinary window.
Window MapForeignWindow(Display* probe) {
  const Window w =
      XCreateSimpleWindow(probe, DefaultRootWindow(probe), 200, 200, 300, 200, 0, 0, 0x336699);
  XMapWindow(probe, w);
  XSync(probe, False);
  return w;
}

Window FocusedWindow(Display* probe) {
  Window focus = None;
  int revert = 0;
  XGetInputFocus(probe, &focus, &revert);
  return focus;
}

class X11StackingTest : public X11Test {};

TEST_F(X11StackingTest, WithoutWindowManagerWeKeepTheOrderOurselves) {
  RecordingListener listener;
  auto backdrop = NewWindow({}, &listener, true, true);
  ShowAndWait(*backdrop);
  auto main =
      NewWindow(Rect::FromSize(100, 100, 300, 200), &listener, false, false, backdrop.get());
  ShowAndWait(*main);
  auto loose = NewWindow(Rect::FromSize(150, 150, 100, 100), &listener);
  ShowAndWait(*loose);
  EXPECT_GT(StackPosition(main->xid()), StackPosition(backdrop->xid()));
  // Not owned, not on top: below the stay-on-top backdrop even though shown later.
  EXPECT_LT(StackPosition(loose->xid()), StackPosition(backdrop->xid()));
  // The window shown last took the keyboard.
  EXPECT_TRUE(PumpUntil([&] { return FocusedWindow(probe_) == loose->xid(); }));

  // Another program maps a window on top: the backdrop climbs back over it, and
  // the main window stays over the backdrop.
  const Window foreign = MapForeignWindow(probe_);
  EXPECT_TRUE(PumpUntil([&] { return StackPosition(backdrop->xid()) > StackPosition(foreign); }));
  EXPECT_GT(StackPosition(main->xid()), StackPosition(backdrop->xid()));

  // Raising the backdrop takes the window it owns along above it.
  backdrop->Raise();
  XSync(system_->display(), False);
  EXPECT_GT(StackPosition(main->xid()), StackPosition(backdrop->xid()));

  // Focus moves to our top window when the focused one goes.
  main->Focus();
  EXPECT_TRUE(PumpUntil([&] { return FocusedWindow(probe_) == main->xid(); }));
  main->SetVisible(false);
  EXPECT_TRUE(PumpUntil([&] { return FocusedWindow(probe_) == backdrop->xid(); }));
  EXPECT_EQ(system_->ProtocolErrorCount(), 0u);
}

TEST_F(X11StackingTest, MinimizeWithoutWindowManagerHidesAndRestores) {
  RecordingListener listener;
  auto window = NewWindow(Rect::FromSize(100, 100, 100, 100), &listener);
  ShowAndWait(*window);
  window->SetMinimized(true);
  EXPECT_TRUE(PumpUntil([&] { return !Viewable(window->xid()); }));
  window->SetMinimized(false);
  EXPECT_TRUE(PumpUntil([&] { return Viewable(window->xid()); }));
  // Hidden while minimized, shown again: still minimized until restored.
  window->SetMinimized(true);
  window->SetVisible(false);
  window->SetVisible(true);
  Pump(50);
  EXPECT_FALSE(Viewable(window->xid()));
  window->SetMinimized(false);
  EXPECT_TRUE(PumpUntil([&] { return Viewable(window->xid()); }));
}

class X11StackingWithWmTest : public X11WithWmTest {};

TEST_F(X11StackingWithWmTest, WindowManagerKeepsTheBackdropBetweenOthersAndOurs) {
  RecordingListener listener;
  auto backdrop = NewWindow({}, &listener, true, true);
  ShowAndWait(*backdrop);
  auto main =
      NewWindow(Rect::FromSize(100, 100, 300, 200), &listener, false, false, backdrop.get());
  ShowAndWait(*main);
  EXPECT_TRUE(
      PumpUntil([&] { return StackPosition(main->xid()) > StackPosition(backdrop->xid()); }));

  const Window foreign = MapForeignWindow(probe_);
  EXPECT_TRUE(PumpUntil([&] { return TopLevel(foreign) != foreign; }));  // managed
  // The window manager gives the new window the focus: ours step out of its way.
  EXPECT_TRUE(PumpUntil([&] { return StackPosition(foreign) > StackPosition(main->xid()); }));
  EXPECT_GT(StackPosition(main->xid()), StackPosition(backdrop->xid()));

  // One of ours active again: back above it.
  main->Raise();
  main->Focus();
  EXPECT_TRUE(PumpUntil([&] { return FocusedWindow(probe_) == main->xid(); }));
  // The window manager puts the backdrop back on top when it gets to our request.
  EXPECT_TRUE(PumpUntil([&] { return StackPosition(backdrop->xid()) > StackPosition(foreign); }));
  EXPECT_GT(StackPosition(main->xid()), StackPosition(backdrop->xid()));

  // Minimized through the window manager, and back; hidden and shown again while
  // minimized it comes back as an icon.
  main->SetMinimized(true);
  EXPECT_TRUE(PumpUntil([&] { return !Viewable(main->xid()); }));
  main->SetVisible(false);
  main->SetVisible(true);
  EXPECT_TRUE(PumpUntil([&] {
    const std::vector<long> state = LongProperty(main->xid(), "WM_STATE", Intern("WM_STATE"));
    return !state.empty() && state[0] == IconicState;
  }));
  EXPECT_FALSE(Viewable(main->xid()));
  main->SetMinimized(false);
  EXPECT_TRUE(PumpUntil([&] { return Viewable(main->xid()); }));
  EXPECT_TRUE(
      PumpUntil([&] { return StackPosition(main->xid()) > StackPosition(backdrop->xid()); }));
  EXPECT_EQ(system_->ProtocolErrorCount(), 0u);
}

}  // namespace
}  // namespace somnara::testing
