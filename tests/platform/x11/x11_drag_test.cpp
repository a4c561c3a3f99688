// Moving a window by its caption: the framework starts the drag on the press, the
// pointer carries the window until the button comes up.
#include <gtest/gtest.h>

#include "platform/x11/x11_fixture.h"

namespace somnara::testing {
namespace {

template <typename Base>
class DragFixture : public Base {
 protected:
  void Drag() {
    RecordingListener listener;
    auto window = this->NewWindow(Rect::FromSize(100, 100, 200, 150), &listener);
    this->ShowAndWait(*window);
    this->Fill(*window, 0x808080);
    listener.hook = [&](const InputEvent& e) {
      if (e.kind == Kind::kMouseDown) window->BeginMoveDrag(e.screen);
    };
    ASSERT_TRUE(this->RunTool({"xdotool", "mousemove", "110", "105", "mousedown", "1"}));
    ASSERT_TRUE(window->IsMoveDragging());
    ASSERT_TRUE(this->RunTool({"xdotool", "mousemove", "160", "125", "mousemove", "310", "205"}));
    EXPECT_TRUE(this->PumpUntil([&] {
      const InputEvent* moved = listener.Last(Kind::kMoved);
      return moved && moved->area == Rect::FromSize(300, 200, 200, 150);
    }));
    ASSERT_TRUE(this->RunTool({"xdotool", "mouseup", "1"}));
    EXPECT_FALSE(window->IsMoveDragging());
    EXPECT_TRUE(this->PumpUntil(
        [&] { return this->RootGeometry(window->xid()) == Rect::FromSize(300, 200, 200, 150); }));
    EXPECT_EQ(window->bounds(), Rect::FromSize(300, 200, 200, 150));
    // The release ended the drag and is not reported as a click's end.
    EXPECT_EQ(listener.Count(Kind::kMouseUp), 0);
    // The pointer is free again.
    EXPECT_EQ(XGrabPointer(this->probe_, DefaultRootWindow(this->probe_), False, 0, GrabModeAsync,
                           GrabModeAsync, None, None, CurrentTime),
              GrabSuccess);
    XUngrabPointer(this->probe_, CurrentTime);

    // Without the button down there is nothing to drag.
    window->BeginMoveDrag({310, 205});
    EXPECT_FALSE(window->IsMoveDragging());
    // Later moves by the program are not echoed back as moves.
    listener.events.clear();
    window->SetBounds(Rect::FromSize(50, 60, 200, 150));
    EXPECT_TRUE(this->PumpUntil(
        [&] { return this->RootGeometry(window->xid()) == Rect::FromSize(50, 60, 200, 150); }));
    this->Pump(50);
    EXPECT_EQ(listener.Count(Kind::kMoved), 0);
    EXPECT_EQ(this->system_->ProtocolErrorCount(), 0u);
  }
};

class X11DragTest : public DragFixture<X11Test> {};
class X11DragWithWmTest : public DragFixture<X11WithWmTest> {};

TEST_F(X11DragTest, CaptionDragMovesTheWindow) {
  Drag();
}
TEST_F(X11DragWithWmTest, CaptionDragMovesTheWindow) {
  Drag();
}

}  // namespace
}  // namespace somnara::testing
