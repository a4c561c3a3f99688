// The drag of tests/framework/core/mouse_routing_test.cpp played on a real X server: the
// framework on this backend hands a control the same messages, the left button held on
// every move.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/core/drag_probe.h"
#include "platform/x11/x11_fixture.h"

namespace somnara::testing {
namespace {

class X11FormDragTest : public X11Test {
 protected:
  void SetUp() override {
    X11Test::SetUp();
    fw::ResetApplication();
    fw::App().Initialize(system_.get());
  }
  void TearDown() override {
    fw::ResetApplication();  // the windows go before their server
    X11Test::TearDown();
  }
  // xdotool plays the user; then the messages that arrived reach the controls.
  void Play(std::vector<std::string> argv) {
    argv.insert(argv.begin(), "xdotool");
    ASSERT_TRUE(RunTool(argv));
    fw::App().ProcessMessages();
  }
  static std::vector<std::string> MoveTo(Point p) {
    return {"mousemove", std::to_string(p.x), std::to_string(p.y)};
  }
};

TEST_F(X11FormDragTest, ADragReachesTheControlWithTheLeftButtonHeldOnEveryMove) {
  fw::CustomControl* pad = ShowDragPad();
  auto* native = static_cast<platform::X11Window*>(pad->ParentForm()->NativeWindow());
  ASSERT_TRUE(PumpUntil([&] { return Viewable(native->xid()); }));
  DragProbe probe(*pad);
  Play(MoveTo(DragPath::kPress));
  Play({"mousedown", "1"});
  std::vector<std::string> moves = MoveTo(DragPath::kThrough);
  for (const std::string& arg : MoveTo(DragPath::kRelease)) moves.push_back(arg);
  Play(moves);
  Play({"mouseup", "1"});
  EXPECT_EQ(probe.Trace(), DragPath::kTrace);
  EXPECT_EQ(probe.LastMove(),
            (Point{DragPath::kRelease.x - DragPath::kForm.left - DragPath::kPad.left,
                   DragPath::kRelease.y - DragPath::kForm.top - DragPath::kPad.top}));
}

}  // namespace
}  // namespace somnara::testing
