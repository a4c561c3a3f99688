// Two monitors side by side, the primary one on the right (given to the backend, since Xvfb
// takes no monitor layout): the program's screen is the primary monitor with its corner at
// 0, 0, the backdrop covers that monitor alone and keeps its size, and a window centred on
// the screen is centred on that monitor.
#include "platform/x11/x11_fixture.h"

namespace somnara::testing {
namespace {

const Rect kPrimary = Rect::FromSize(512, 0, 512, 768);

class X11MonitorsTest : public X11WithWmTest {
 protected:
  platform::X11WindowSystem::Options SystemOptions() const override {
    platform::X11WindowSystem::Options options;
    options.monitors = {kPrimary, Rect::FromSize(0, 0, 512, 768)};
    return options;
  }
};

TEST_F(X11MonitorsTest, TheScreenIsThePrimaryMonitorAndTheBackdropCoversItAlone) {
  EXPECT_EQ(system_->ScreenSize(), (Size{512, 768}));
  EXPECT_EQ(system_->WorkArea(), Rect::FromSize(0, 0, 512, 768));

  RecordingListener listener;
  auto backdrop = NewWindow(Rect::FromSize(0, 0, 512, 768), &listener, true, true);
  ShowAndWait(*backdrop);
  const Size screen = system_->ScreenSize();
  auto centred =
      NewWindow(Rect::FromSize((screen.width - 200) / 2, (screen.height - 100) / 2, 200, 100),
                &listener, false, false, backdrop.get());
  ShowAndWait(*centred);
  EXPECT_TRUE(PumpUntil([&] { return RootGeometry(backdrop->xid()) == kPrimary; }))
      << RootGeometry(backdrop->xid()).left;
  EXPECT_EQ(backdrop->bounds(), Rect::FromSize(0, 0, 512, 768));
  EXPECT_TRUE(PumpUntil(
      [&] { return RootGeometry(centred->xid()) == Rect::FromSize(512 + 156, 334, 200, 100); }));
  EXPECT_EQ(centred->bounds(), Rect::FromSize(156, 334, 200, 100));

  // Pointer and input in the same coordinates.
  ASSERT_TRUE(RunTool({"xdotool", "mousemove", "700", "350", "click", "1"}));
  EXPECT_EQ(system_->CursorPos(), (Point{188, 350}));
  ASSERT_TRUE(PumpUntil([&] { return listener.Last(Kind::kMouseDown) != nullptr; }));
  EXPECT_EQ(listener.Last(Kind::kMouseDown)->screen, (Point{188, 350}));

  // A window manager told to resize it (as after a change of resolution) cannot.
  ASSERT_TRUE(RunTool({"xdotool", "windowsize", std::to_string(backdrop->xid()), "300", "300"}));
  Pump(300);
  EXPECT_EQ(RootGeometry(backdrop->xid()), kPrimary);
  EXPECT_EQ(backdrop->bounds(), Rect::FromSize(0, 0, 512, 768));
  EXPECT_EQ(system_->ProtocolErrorCount(), 0u);
}

}  // namespace
}  // namespace somnara::testing
