// How windows get their pixels: the non-client area through a chained window procedure,
// the client through erase and paint, children over their parents, and presenting.
#include <gtest/gtest.h>

#include "framework/form.h"
#include "framework/graphics/canvas.h"
#include "framework/win_control.h"
#include "headless_fixture.h"

namespace somnara::fw {
namespace {

using PaintingTest = somnara::testing::HeadlessTest;

constexpr uint32_t kRed = 0x0000FF;    // colour word
constexpr uint32_t kGreen = 0x00FF00;  // colour word

class Swatch : public CustomControl {
 public:
  explicit Swatch(Component* owner, Color color) : CustomControl(owner), color_(color) {}
  int paints = 0;

 protected:
  void Paint() override {
    ++paints;
    GetCanvas().Brush().SetColor(color_);
    GetCanvas().FillRect(ClientRect());
  }

 private:
  Color color_;
};

Form* ShownForm(int w, int h) {
  auto* form = new Form(&App());
  form->AfterConstruction();
  form->SetBorderStyle(BorderStyle::kNone);
  form->SetBounds(100, 50, w, h);
  form->SetColor(clWhite);
  form->Show();
  App().ProcessMessages();
  return form;
}

TEST_F(PaintingTest, AChainedWindowProcedureOwnsTheNonClientArea) {
  auto* form = new Form(&App());
  form->AfterConstruction();
  form->SetBorderStyle(BorderStyle::kSizeable);
  form->SetBounds(0, 0, 200, 100);
  // A frame of our own: 2 pixels all round, painted red; everything else to the old one.
  WindowProcedure old = form->WindowProc;
  int nc_paints = 0;
  form->WindowProc = [&, old](Message& m) {
    if (m.msg == WM_NCCALCSIZE) {
      auto* p = reinterpret_cast<NcCalcSizeParams*>(m.lParam);
      p->rgrc[0] = p->rgrc[0].Inflate(-2, -2);
      return;
    }
    if (m.msg == WM_NCPAINT) {
      ++nc_paints;
      Canvas& c = form->WindowCanvas();
      c.Brush().SetColor(kRed);
      for (int i = 0; i < 2; ++i)
        c.FrameRect(Rect{0, 0, form->Width(), form->Height()}.Inflate(-i, -i));
      return;
    }
    old(m);
  };
  form->SetWindowPos(SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
  EXPECT_EQ(form->ClientInWindow(), (Rect{2, 2, 198, 98}));
  EXPECT_EQ(form->ClientWidth(), 196);
  form->SetColor(kGreen);
  form->Show();
  App().ProcessMessages();
  auto* native = windows.Windows().back();
  EXPECT_GE(nc_paints, 1);
  EXPECT_EQ(native->PixelAt(1, 1), 0xFF0000u);  // frame, as 0x00RRGGBB
  EXPECT_EQ(native->PixelAt(2, 2), 0x00FF00u);  // client
  EXPECT_EQ(native->PixelAt(197, 97), 0x00FF00u);
  EXPECT_EQ(native->PixelAt(198, 98), 0xFF0000u);
}

TEST_F(PaintingTest, TheDefaultFrameHasABorderAndACaptionThatDragsTheWindow) {
  auto* form = new Form(&App());
  form->AfterConstruction();
  form->SetBorderStyle(BorderStyle::kDialog);
  form->SetCaption("Caption");
  form->SetBounds(100, 100, 300, 200);
  Rect client = form->ClientInWindow();
  EXPECT_EQ(client.left, 3);
  EXPECT_EQ(client.top, 3 + Form::DefaultCaptionHeight());
  form->Show();
  App().ProcessMessages();
  EXPECT_EQ(form->Perform(WM_NCHITTEST, 0, MakeLParam(150, 108)), HTCAPTION);
  EXPECT_EQ(form->Perform(WM_NCHITTEST, 0, MakeLParam(150, 200)), HTCLIENT);
  // Press on the caption, move, release: the window follows.
  windows.PressMouse({150, 108});
  windows.MoveMouse({170, 138});
  windows.ReleaseMouse({170, 138});
  windows.At(10, [] { App().Terminate(); });
  App().Run();
  EXPECT_EQ(form->Left(), 120);
  EXPECT_EQ(form->Top(), 130);
}

TEST_F(PaintingTest, ChildrenPaintOverTheirParentAndOnlyInvalidAreasArePresented) {
  Form* form = ShownForm(100, 80);
  auto* child = new Swatch(form, kRed);
  child->SetBounds(10, 10, 20, 20);
  child->SetParent(form);
  App().ProcessMessages();
  auto* native = windows.Windows().back();
  EXPECT_EQ(native->PixelAt(15, 15), 0xFF0000u);
  EXPECT_EQ(native->PixelAt(35, 15), 0xFFFFFFu);
  int presents = native->PresentCount();
  int paints = child->paints;
  App().ProcessMessages();  // nothing invalid: nothing painted, nothing presented
  EXPECT_EQ(native->PresentCount(), presents);
  EXPECT_EQ(child->paints, paints);
  child->SetLeft(40);
  App().ProcessMessages();
  EXPECT_EQ(native->PixelAt(15, 15), 0xFFFFFFu);
  EXPECT_EQ(native->PixelAt(45, 15), 0xFF0000u);
}

TEST_F(PaintingTest, APaintMessageWithACanvasPaintsIntoThatCanvas) {
  Form* form = ShownForm(100, 80);
  auto* child = new Swatch(form, kRed);
  child->SetBounds(0, 0, 10, 10);
  child->SetParent(form);
  App().ProcessMessages();
  Bitmap elsewhere(10, 10);
  elsewhere.Fill(clBlack);
  Canvas& canvas = elsewhere.GetCanvas();
  child->Perform(WM_PAINT, reinterpret_cast<uintptr_t>(&canvas));
  EXPECT_EQ(elsewhere.GetPixel(5, 5), kRed);
}

TEST_F(PaintingTest, OpacityAndRegionReachTheDesktopWindow) {
  Form* form = ShownForm(100, 80);
  form->SetAlphaBlend(true);
  form->SetAlphaBlendValue(0);
  form->SetAlphaBlendValue(300);  // clamped
  form->SetAlphaBlendValue(-4);
  auto* native = windows.Windows().back();
  EXPECT_EQ(native->OpacityHistory(), (std::vector<uint8_t>{255, 0, 255, 0}));
  Region region;
  region.rects = {{0, 0, 50, 80}};
  form->SetWindowRegion(region);
  EXPECT_EQ(native->WindowRegion(), region);
}

}  // namespace
}  // namespace somnara::fw
