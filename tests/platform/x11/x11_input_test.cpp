// The user's mouse and keyboard, played by xdotool, as the listener receives them.
#include <gtest/gtest.h>

#include "platform/x11/x11_fixture.h"

namespace somnara::testing {
namespace {

using platform::MouseButton;

class X11InputTest : public X11Test {
 protected:
  // A focused window at (100, 100), 200 x 100.
  void SetUp() override {
    X11Test::SetUp();
    if (HasFatalFailure()) return;
    window_ = NewWindow(Rect::FromSize(100, 100, 200, 100), &listener_);
    ShowAndWait(*window_);
    Fill(*window_, 0x202020);
    ASSERT_TRUE(PumpUntil([&] { return listener_.Count(Kind::kFocusIn) == 1; }));
    listener_.events.clear();
  }
  void TearDown() override {
    window_.reset();
    X11Test::TearDown();
  }

  std::vector<const InputEvent*> Of(Kind kind) const {
    std::vector<const InputEvent*> found;
    for (const InputEvent& e : listener_.events)
      if (e.kind == kind) found.push_back(&e);
    return found;
  }

  RecordingListener listener_;
  std::unique_ptr<platform::X11Window> window_;
};

TEST_F(X11InputTest, ClicksDoubleClicksAndCrossings) {
  ASSERT_TRUE(RunTool({"xdotool", "mousemove", "150", "130", "click", "3"}));
  ASSERT_TRUE(RunTool({"xdotool", "click", "--repeat", "2", "--delay", "80", "1"}));
  EXPECT_TRUE(PumpUntil([&] { return listener_.Count(Kind::kMouseUp) == 3; }));
  EXPECT_EQ(listener_.InputKinds(),
            (std::vector<Kind>{Kind::kMouseDown, Kind::kMouseUp, Kind::kMouseDown, Kind::kMouseUp,
                               Kind::kDoubleClick, Kind::kMouseUp}));
  const InputEvent* right = Of(Kind::kMouseDown)[0];
  EXPECT_EQ(right->button, MouseButton::kRight);
  EXPECT_EQ(right->pos, (Point{50, 30}));
  EXPECT_EQ(right->screen, (Point{150, 130}));
  EXPECT_EQ(Of(Kind::kDoubleClick)[0]->button, MouseButton::kLeft);
  EXPECT_EQ(Of(Kind::kDoubleClick)[0]->pos, (Point{50, 30}));
  EXPECT_GE(listener_.Count(Kind::kMouseEnter), 1);

  // Out and back in: leave, enter, and a move with window-relative coordinates.
  ASSERT_TRUE(RunTool({"xdotool", "mousemove", "500", "500", "mousemove", "120", "110"}));
  EXPECT_TRUE(PumpUntil([&] { return listener_.Count(Kind::kMouseLeave) >= 1; }));
  const InputEvent* move = listener_.Last(Kind::kMouseMove);
  ASSERT_NE(move, nullptr);
  EXPECT_EQ(move->pos, (Point{20, 10}));
  EXPECT_EQ(listener_.events.back().kind, Kind::kMouseMove);
}

TEST_F(X11InputTest, KeysGiveVirtualKeysCharactersAndModifiers) {
  ASSERT_TRUE(RunTool({"xdotool", "key", "a", "shift+b", "ctrl+c", "Return", "Escape", "F1", "Left",
                       "space", "Tab", "BackSpace", "Delete", "Next", "7"}));
  std::vector<uint32_t> downs;
  for (const InputEvent* e : Of(Kind::kKeyDown)) downs.push_back(e->key);
  EXPECT_EQ(downs, (std::vector<uint32_t>{'A', 0x10, 'B', 0x11, 'C', 0x0D, 0x1B, 0x70, 0x25, 0x20,
                                          0x09, 0x08, 0x2E, 0x22, '7'}));
  std::vector<uint32_t> chars;
  for (const InputEvent* e : Of(Kind::kChar)) chars.push_back(e->ch);
  EXPECT_EQ(chars, (std::vector<uint32_t>{'a', 'B', 0x03, 0x0D, 0x1B, ' ', 0x09, 0x08, '7'}));
  EXPECT_EQ(listener_.Count(Kind::kKeyUp), listener_.Count(Kind::kKeyDown));
  ASSERT_EQ(downs.size(), 15u);

  // The B went down with Shift held, the C with Ctrl; Shift counts itself.
  EXPECT_EQ(Of(Kind::kKeyDown)[1]->modifiers, unsigned(platform::kShift));
  EXPECT_EQ(Of(Kind::kKeyDown)[2]->modifiers, unsigned(platform::kShift));
  EXPECT_EQ(Of(Kind::kKeyDown)[4]->modifiers, unsigned(platform::kCtrl));
  EXPECT_EQ(Of(Kind::kKeyDown)[0]->modifiers, 0u);
  for (const InputEvent* up : Of(Kind::kKeyUp)) {
    if (up->key == 0x10) {
      EXPECT_EQ(up->modifiers & platform::kShift, 0u);
    }
  }
}

TEST_F(X11InputTest, FocusFollowsOurWindowsAndCloseRequestsArrive) {
  RecordingListener other_listener;
  auto other = NewWindow(Rect::FromSize(400, 100, 100, 100), &other_listener);
  ShowAndWait(*other);
  EXPECT_TRUE(PumpUntil([&] { return listener_.Count(Kind::kFocusOut) == 1; }));
  EXPECT_TRUE(PumpUntil([&] { return other_listener.Count(Kind::kFocusIn) == 1; }));
  window_->Focus();
  EXPECT_TRUE(PumpUntil([&] { return listener_.Count(Kind::kFocusIn) == 1; }));

  // What a window manager sends when the user closes the window.
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window_->xid();
  event.xclient.message_type = Intern("WM_PROTOCOLS");
  event.xclient.format = 32;
  event.xclient.data.l[0] = long(Intern("WM_DELETE_WINDOW"));
  XSendEvent(probe_, window_->xid(), False, NoEventMask, &event);
  XSync(probe_, False);
  EXPECT_TRUE(PumpUntil([&] { return listener_.Count(Kind::kCloseRequest) == 1; }));

  // A ping is answered to the root window, where a window manager listens.
  XSelectInput(probe_, DefaultRootWindow(probe_), SubstructureNotifyMask);
  event.xclient.data.l[0] = long(Intern("_NET_WM_PING"));
  event.xclient.data.l[1] = 4242;
  XSendEvent(probe_, window_->xid(), False, NoEventMask, &event);
  bool answered = false;
  EXPECT_TRUE(PumpUntil([&] {
    while (XPending(probe_)) {
      XEvent e;
      XNextEvent(probe_, &e);
      if (e.type == ClientMessage && e.xclient.data.l[0] == long(Intern("_NET_WM_PING")) &&
          e.xclient.data.l[1] == 4242)
        answered = true;
    }
    return answered;
  }));
}

TEST_F(X11InputTest, ModalWindowBlocksItsOwners) {
  RecordingListener dialog_listener;
  auto dialog =
      NewWindow(Rect::FromSize(400, 300, 200, 100), &dialog_listener, false, false, window_.get());
  dialog->SetModal(true);
  ShowAndWait(*dialog);
  Fill(*dialog, 0x404040);
  EXPECT_TRUE(PumpUntil([&] { return dialog_listener.Count(Kind::kFocusIn) == 1; }));
  listener_.events.clear();

  // Keys reaching the owner (the keyboard forced onto it) are dropped.
  window_->Focus();
  EXPECT_TRUE(PumpUntil([&] { return listener_.Count(Kind::kFocusIn) == 1; }));
  ASSERT_TRUE(RunTool({"xdotool", "key", "x"}));
  // A click on the owner is dropped too, and brings the dialog forward.
  ASSERT_TRUE(RunTool({"xdotool", "mousemove", "150", "150", "click", "1"}));
  EXPECT_TRUE(PumpUntil([&] { return dialog_listener.Count(Kind::kFocusIn) == 2; }));
  EXPECT_EQ(listener_.InputKinds(), std::vector<Kind>{});
  EXPECT_EQ(listener_.Count(Kind::kMouseMove) + listener_.Count(Kind::kMouseEnter), 0);

  // Modal off: the owner takes input again.
  dialog->SetModal(false);
  ASSERT_TRUE(RunTool({"xdotool", "click", "1"}));
  EXPECT_TRUE(PumpUntil([&] { return listener_.Count(Kind::kMouseUp) == 1; }));
  EXPECT_EQ(listener_.Count(Kind::kMouseDown), 1);
}

TEST_F(X11InputTest, CapturedMouseReportsMovesOutsideUntilReleased) {
  listener_.hook = [&](const InputEvent& e) {
    if (e.kind == Kind::kMouseDown) window_->CaptureMouse(true);
  };
  ASSERT_TRUE(RunTool({"xdotool", "mousemove", "150", "150", "mousedown", "1"}));
  ASSERT_TRUE(RunTool({"xdotool", "mousemove", "600", "500", "mouseup", "1"}));
  const InputEvent* move = listener_.Last(Kind::kMouseMove);
  ASSERT_NE(move, nullptr);
  EXPECT_EQ(move->pos, (Point{500, 400}));
  EXPECT_EQ(listener_.Last(Kind::kMouseUp)->pos, (Point{500, 400}));
  // Still held after the release, as on the desktop platform, until let go.
  EXPECT_EQ(XGrabPointer(probe_, DefaultRootWindow(probe_), False, 0, GrabModeAsync, GrabModeAsync,
                         None, None, CurrentTime),
            AlreadyGrabbed);
  window_->CaptureMouse(false);
  XSync(system_->display(), False);
  EXPECT_EQ(XGrabPointer(probe_, DefaultRootWindow(probe_), False, 0, GrabModeAsync, GrabModeAsync,
                         None, None, CurrentTime),
            GrabSuccess);
  XUngrabPointer(probe_, CurrentTime);
}

TEST_F(X11InputTest, ListenerMayDestroyTheWindowWhileEventsAreComing) {
  listener_.hook = [&](const InputEvent& e) {
    if (e.kind == Kind::kKeyDown) window_.reset();
  };
  ASSERT_TRUE(RunTool({"xdotool", "key", "a"}));
  EXPECT_EQ(window_, nullptr);
  // The character that followed the key press went nowhere.
  EXPECT_EQ(listener_.Count(Kind::kChar), 0);
  Pump(20);
  EXPECT_EQ(system_->ProtocolErrorCount(), 0u);
}

}  // namespace
}  // namespace somnara::testing
