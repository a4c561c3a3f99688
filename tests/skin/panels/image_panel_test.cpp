#include <gtest/gtest.h>

#include "panels_fixture.h"
#include "skin/controls/tsui_image_panel.h"

namespace somnara::skin {
namespace {

using testing::Rgb;

// Two by two: red, green / blue, yellow.
fw::Bitmap Quad() {
  fw::Bitmap b(2, 2);
  b.SetPixel(0, 0, fw::clRed);
  b.SetPixel(1, 0, fw::clLime);
  b.SetPixel(0, 1, fw::clBlue);
  b.SetPixel(1, 1, fw::clYellow);
  return b;
}

constexpr uint32_t kRed = Rgb(255, 0, 0);
constexpr uint32_t kGreen = Rgb(0, 255, 0);
constexpr uint32_t kYellow = Rgb(255, 255, 0);
constexpr uint32_t kPanelRgb = Rgb(0, 0, 128);

class ImagePanelTest : public testing::PanelsTest {
 protected:
  TsuiImagePanel* MakePanel(int width, int height) {
    auto* p = Place<TsuiImagePanel>(form, 10, 10, width, height);
    p->SetColor(fw::clNavy);
    p->SetPicture(Quad());
    return p;
  }
};

TEST_F(ImagePanelTest, DrawsThePictureOnceStretchedOrTiled) {
  TsuiImagePanel* panel = MakePanel(6, 6);
  Pump();
  // Once at the top-left corner; the rest of an opaque panel shows its colour.
  EXPECT_EQ(PixelOf(*panel, 0, 0), kRed);
  EXPECT_EQ(PixelOf(*panel, 5, 5), kPanelRgb);

  panel->SetDrawStyle(TsuiDrawStyle::suiStretch);
  Pump();
  EXPECT_EQ(PixelOf(*panel, 2, 2), kRed);
  EXPECT_EQ(PixelOf(*panel, 3, 0), kGreen);
  EXPECT_EQ(PixelOf(*panel, 5, 5), kYellow);

  panel->SetDrawStyle(TsuiDrawStyle::suiTile);
  Pump();
  EXPECT_EQ(PixelOf(*panel, 4, 0), kRed);
  EXPECT_EQ(PixelOf(*panel, 3, 2), kGreen);
  EXPECT_EQ(PixelOf(*panel, 5, 5), kYellow);
}

TEST_F(ImagePanelTest, AutoSizeTakesThePictureSizeAlongTheSidesTheAlignmentLeavesFree) {
  fw::Bitmap picture(11, 20);
  struct Case {
    fw::Align align;
    int width, height;
  };
  // The form's client is 300 x 200; an aligned panel keeps what the alignment gives it.
  for (const Case& c : {Case{fw::Align::kNone, 11, 20}, Case{fw::Align::kTop, 300, 20},
                        Case{fw::Align::kLeft, 11, 200}, Case{fw::Align::kClient, 300, 200}}) {
    auto* panel = Place<TsuiImagePanel>(form, 0, 0, 50, 50);
    panel->SetAlign(c.align);
    panel->SetAutoSize(true);
    panel->SetPicture(picture);
    EXPECT_EQ(panel->Width(), c.width) << int(c.align);
    EXPECT_EQ(panel->Height(), c.height) << int(c.align);
    delete panel;
  }
  // Switching AutoSize on applies it to the picture already there.
  TsuiImagePanel* late = MakePanel(40, 40);
  late->SetAutoSize(true);
  EXPECT_EQ(late->Width(), 2);
  EXPECT_EQ(late->Height(), 2);
}

TEST_F(ImagePanelTest, ATransparentPanelShowsItsParentAroundThePictureAndLeavesOutItsKey) {
  fw::Bitmap picture = Quad();
  picture.SetPixel(0, 1, fw::MakeColor(255, 0, 255));  // bottom-left: the key colour
  TsuiImagePanel* panel = MakePanel(6, 6);
  panel->SetTransparent(true);
  panel->SetPicture(picture);
  Pump();
  EXPECT_EQ(PixelOf(*panel, 0, 0), kRed);
  EXPECT_EQ(PixelOf(*panel, 0, 1), somnara::testing::kWhiteRgb);
  EXPECT_EQ(PixelOf(*panel, 4, 4), somnara::testing::kWhiteRgb);
}

TEST_F(ImagePanelTest, CaptionIsCentredVerticallyPlacedByAlignmentOrAtItsFixedPoint) {
  TsuiImagePanel* panel = Place<TsuiImagePanel>(form, 0, 0, 120, 40);
  panel->SetCaption("Go");
  Pump();
  const Rect centred = panel->CaptionRect();
  EXPECT_EQ(centred.left, (120 - centred.Width()) / 2);
  EXPECT_EQ(centred.top, (40 - centred.Height()) / 2);
  EXPECT_GT(CountOtherThan(*panel, PixelOf(*panel, 0, 0), centred), 0);  // the text is there

  panel->SetAlignment(fw::Alignment::kRightJustify);
  Pump();
  EXPECT_EQ(panel->CaptionRect().right, 120);

  panel->SetCaptionPos(7, 3);
  Pump();
  EXPECT_EQ(panel->CaptionRect().left, 7);
  EXPECT_EQ(panel->CaptionRect().top, 3);
}

}  // namespace
}  // namespace somnara::skin
