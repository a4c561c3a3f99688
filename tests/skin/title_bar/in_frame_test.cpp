// A title bar inside a skinned frame sits under the frame's 3-pixel top band: it is 3
// pixels shorter, shows its pictures from their fourth row on and shifted by the frame's
// left border, and keeps the whole picture for the frame to continue in its border.
#include <algorithm>

#include "framework/class_info.h"
#include "framework/graphics/canvas.h"
#include "title_bar_fixture.h"

namespace somnara::skin::testing {
namespace {

// Stands in for the skinned frame: known by its class name, repainting its border when
// the title bar asks.
class FrameStandIn : public fw::Panel, public TsuiTitleBarHost {
 public:
  explicit FrameStandIn(fw::Component* owner) : fw::Panel(owner) {}
  static const fw::ClassInfo& StaticClassInfo() {
    static const fw::ClassInfo info("TsuiForm", &fw::Panel::StaticClassInfo());
    return info;
  }
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }
  void PaintFrame() override { ++frame_paints; }
  int frame_paints = 0;
};

TEST_F(TitleBarTest, InsideAFrameTheTitleContinuesTheFramesTopBand) {
  fw::Form* host = MakeForm(kBarWidth, 120);
  const int left_border = 5;
  fw::WindowProcedure old = host->WindowProc;
  host->WindowProc = [old, left_border](fw::Message& m) {
    if (m.msg == SUIM_LEFTBORDERWIDTH) {
      m.result = left_border;
      return;
    }
    old(m);
  };
  auto* frame = new FrameStandIn(host);
  frame->SetParent(host);
  frame->SetAlign(fw::Align::kClient);
  bar = new TsuiTitleBar(frame);
  bar->SetParent(frame);
  ASSERT_TRUE(bar->InFrame());
  bar->SetUIStyle(TsuiUIStyle::DeepBlue);
  Pump();

  const fw::Bitmap& left = bar->Sections().Item(0).Picture();
  EXPECT_EQ(bar->Height(), left.Height() - 3);
  EXPECT_EQ(bar->ButtonTop(), 2 - 3);
  // The bar's first pixel is the picture's pixel under the frame's border and top band.
  EXPECT_EQ(PixelOf(*bar, 0, 0), left.Scanline(3)[left_border] & 0xFFFFFF);
  const fw::Bitmap* full = bar->GetTitleImage(-1);
  ASSERT_NE(full, nullptr);
  EXPECT_EQ(full->Width(), bar->Width() + 2 * left_border);
  EXPECT_EQ(full->Height(), bar->Height() + 3);
  EXPECT_EQ(full->Scanline(0)[0], left.Scanline(0)[0]);
  // The button row counts the frame's border into the bar's right end.
  const TsuiTitleBarButton& close = bar->Buttons().Item(1);
  const int w = close.PicNormal().Width();
  const int close_x = std::min(bar->Width() + left_border + 3 - (w + 1), bar->Width() - w - 1);
  const int h = close.PicNormal().Height();
  fw::Bitmap below_first_row(w, h - 1);
  below_first_row.GetCanvas().CopyRect({0, 0, w, h - 1}, close.PicNormal(), {0, 1, w, h});
  EXPECT_EQ(Mismatches(below_first_row, close_x, 0), 0) << "the button starts one row up";
  EXPECT_EQ(frame->frame_paints, 0) << "no caption section, no frame repaint";
}

}  // namespace
}  // namespace somnara::skin::testing
