// How the pointer reaches a form: drags carry the held buttons, the frame hears the pointer
// move over it and leave it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/drag_probe.h"
#include "framework/form.h"
#include "framework/show_modal.h"
#include "headless_fixture.h"

namespace somnara::fw {
namespace {

using MouseRoutingTest = somnara::testing::HeadlessTest;
using somnara::testing::DragPath;

// The same drag runs on the X11 desktop in tests/platform/x11.
TEST_F(MouseRoutingTest, ADragReachesTheControlWithTheLeftButtonHeldOnEveryMove) {
  somnara::testing::DragProbe probe(*somnara::testing::ShowDragPad());
  windows.MoveMouse(DragPath::kPress);
  windows.PressMouse(DragPath::kPress);
  windows.MoveMouse(DragPath::kThrough);
  windows.MoveMouse(DragPath::kRelease);
  windows.ReleaseMouse(DragPath::kRelease);
  RunUntil(100);
  EXPECT_EQ(probe.Trace(), DragPath::kTrace);
  EXPECT_EQ(probe.LastMove(),
            (Point{DragPath::kRelease.x - DragPath::kForm.left - DragPath::kPad.left,
                   DragPath::kRelease.y - DragPath::kForm.top - DragPath::kPad.top}));
}

Point Centre(const Rect& r, const Form& form) {
  return {form.Left() + (r.left + r.right) / 2, form.Top() + (r.top + r.bottom) / 2};
}

TEST_F(MouseRoutingTest, TheFrameHearsThePointerMoveOverItAndLeaveIt) {
  auto* form = new Form(&App());
  form->SetBounds(100, 100, 300, 200);
  form->AfterConstruction();
  form->Show();
  auto* pad = new CustomControl(form);
  pad->SetParent(form);
  pad->SetBounds(10, 10, 100, 100);
  int pad_left = 0;
  pad->OnMouseLeave = [&](Component*) { ++pad_left; };
  std::vector<std::string> heard;
  WindowProcedure old = form->WindowProc;
  form->WindowProc = [&, old](Message& m) {
    if (m.msg == WM_NCMOUSEMOVE) heard.push_back("move " + std::to_string(m.wParam));
    if (m.msg == WM_NCMOUSELEAVE) heard.push_back("leave");
    old(m);
  };
  const FrameMetrics frame = form->DefaultFrame();
  const Point caption = Centre(frame.caption, *form);
  const Point pad_point = form->ClientToScreen({50, 50});
  windows.MoveMouse(caption);
  windows.MoveMouse(Centre(frame.close_box, *form));
  windows.MoveMouse(pad_point);  // into the client area
  windows.MoveMouse(caption);
  windows.MoveMouse({600, 600});  // off the window
  windows.MoveMouse(pad_point);
  windows.MoveMouse({600, 600});
  RunUntil(100);
  EXPECT_EQ(heard, (std::vector<std::string>{"move 2", "move 20", "leave", "move 2", "leave"}));
  // A control under the pointer hears it leave, whether for the frame or out of the window.
  EXPECT_EQ(pad_left, 2);
}

// As painted, so pressed: a windowed control lies above a picture made after it.
TEST_F(MouseRoutingTest, AWindowedControlTakesThePressFromAPictureOverlappingIt) {
  auto* form = new Form(&App());
  form->SetBounds(100, 100, 300, 200);
  form->AfterConstruction();
  form->Show();
  auto* bar = new CustomControl(form);
  bar->SetParent(form);
  bar->SetBounds(0, 0, 200, 30);
  auto* picture = new GraphicControl(form);
  picture->SetParent(form);
  picture->SetBounds(0, 10, 200, 100);
  std::vector<std::string> pressed;
  bar->OnMouseDown = [&](Component*, MouseButton, unsigned, int, int) { pressed.push_back("bar"); };
  picture->OnMouseDown = [&](Component*, MouseButton, unsigned, int, int) {
    pressed.push_back("picture");
  };
  for (Point p : {Point{50, 20}, Point{50, 60}}) {
    windows.MoveMouse(form->ClientToScreen(p));
    windows.PressMouse(form->ClientToScreen(p));
    windows.ReleaseMouse(form->ClientToScreen(p));
  }
  RunUntil(100);
  EXPECT_EQ(pressed, (std::vector<std::string>{"bar", "picture"}));
  bar->OnMouseDown = nullptr;
  picture->OnMouseDown = nullptr;
}

TEST_F(MouseRoutingTest, AWindowShownModallyAndFreedReturnsItsResult) {
  int result = -1;
  windows.At(10, [] { App().Forms().back()->SetModalResult(mrOk); });
  windows.At(0, [&] {
    result = ShowModalAndFree<Form>(&App());
    App().Terminate();
  });
  App().Run();
  EXPECT_EQ(result, mrOk);
  EXPECT_TRUE(App().Forms().empty());
}

}  // namespace
}  // namespace somnara::fw
