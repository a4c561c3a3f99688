// The skinned frame's border as the window shows it: the bands it keeps outside the
// client area, the title picture continued into the top band, the border and inner band
// colours of the built-in styles, the stored skin's border pictures, and a skin that
// lacks them; the window outline of each.
#include <algorithm>

#include "frame_fixture.h"
#include "framework/controls/main_menu.h"
#include "framework/controls/menu_item.h"
#include "skin/styles/sui_style_bitmaps.h"
#include "skin/styles/sui_style_catalogue.h"
#include "skinwriter/skin_archive_writer.h"
#include "skinwriter/skin_container_writer.h"
#include "skinwriter/stored_skin.h"
#include "skinwriter/stored_skin_pictures.h"

namespace somnara::skin::testing {
namespace {

constexpr int W = kHostWidth, H = kHostHeight;

class BuiltInFrameTest : public FrameTest, public ::testing::WithParamInterface<TsuiUIStyle> {};

TEST_P(BuiltInFrameTest, BandsBorderTitleBandAndClientOfTheStyle) {
  const TsuiUIStyle style = GetParam();
  Make(style);
  const int bw = GetStyleInt(style, StyleItem::kBorderWidth);
  const uint32_t border = Rgb(GetStyleColor(style, StyleItem::kBorderColour));
  const uint32_t colour = Rgb(GetStyleColor(style, StyleItem::kClientColour));
  ASSERT_TRUE(bw == 1 || bw == 3) << "the styles' border widths";

  // 3-pixel bands at the top and the sides; the bottom one keeps a row of the inner band
  // under a 1-pixel border.
  EXPECT_EQ(Bands(), (Rect{3, 3, 3, bw == 1 ? 2 : 3}));
  for (int x = 0; x < bw; ++x) {
    EXPECT_EQ(At(x, H / 2), border);
    EXPECT_EQ(At(W - 1 - x, H / 2), border);
    EXPECT_EQ(At(W / 2, H - 1 - x), border);
  }
  for (int x = bw; x < 3; ++x) {
    EXPECT_EQ(At(x, H / 2), colour);
    EXPECT_EQ(At(W - 1 - x, H / 2), colour);
  }
  if (bw < 2) {
    EXPECT_EQ(At(W / 2, H - 2), colour);
  }

  // The top band shows the first three rows of the title picture the bar continues (the
  // corner arcs of a round 1-pixel border aside).
  const fw::Bitmap* title = frame->TitleBar()->GetTitleImage(-1);
  ASSERT_NE(title, nullptr);
  ASSERT_EQ(title->Width(), W);
  const int margin = frame->RoundCorner() == 11 ? 12 : std::max(2, bw);
  EXPECT_EQ(Mismatches(*title, 0, 0, {margin, 0, W - std::max(3, margin), 3}), 0);
  if (frame->RoundCorner() == 11) {
    // A round 1-pixel border draws its top corners over the picture in its own colour.
    int arc = 0;
    for (int y = 0; y < 3; ++y)
      for (int x = 2; x < 10; ++x)
        arc += At(x, y) == border && (title->Scanline(y)[x] & 0xFFFFFF) != border;
    EXPECT_GT(arc, 0);
  }
  // Square styles keep the whole window; round ones lose their top corners only.
  EXPECT_EQ(InOutline(0, 0), frame->RoundCorner() == 0);
  EXPECT_TRUE(InOutline(W - 1, H - 1));

  // The client area: the style's tiles from the frame's corner, or its colour.
  const Point p{W / 2 + 7, H - 20};
  const Point in_frame{p.x - 3, p.y - 3};
  fw::Bitmap tile;
  if (style == TsuiUIStyle::MacOS || style == TsuiUIStyle::Protein) {
    ASSERT_TRUE(LoadStyleBitmap(
        style == TsuiUIStyle::MacOS ? "MACOS_FORM_BACKGROUND" : "PROTEIN_FORM_BACKGROUND", tile));
    EXPECT_EQ(At(p.x, p.y),
              tile.Scanline(in_frame.y % tile.Height())[in_frame.x % tile.Width()] & 0xFFFFFF);
  } else {
    EXPECT_EQ(At(p.x, p.y), colour);
  }
}

INSTANTIATE_TEST_SUITE_P(Styles, BuiltInFrameTest,
                         ::testing::Values(TsuiUIStyle::MacOS, TsuiUIStyle::WinXP,
                                           TsuiUIStyle::DeepBlue, TsuiUIStyle::Protein,
                                           TsuiUIStyle::BlueGlass),
                         [](const auto& info) { return UIStyleName(info.param); });

TEST_F(FrameTest, BorderWidthSetsTheBottomBandAndTheInnerBandFillsUpToThree) {
  Make(TsuiUIStyle::DeepBlue);
  const uint32_t colour = Rgb(frame->GetColor());
  frame->SetBorderColor(fw::clRed);
  struct Case {
    int width, bottom_band;
  };
  for (const Case c : {Case{1, 2}, Case{2, 3}, Case{3, 3}, Case{4, 5}, Case{6, 7}}) {
    SCOPED_TRACE(c.width);
    frame->SetBorderWidth(c.width);
    Pump();
    EXPECT_EQ(Bands().bottom, c.bottom_band);
    EXPECT_EQ(At(c.width - 1, H / 2), Rgb(fw::clRed));
    EXPECT_EQ(At(W - c.width, H / 2), Rgb(fw::clRed));
    EXPECT_EQ(At(W / 2, H - c.width), Rgb(fw::clRed));
    if (c.width < 3) {
      EXPECT_EQ(At(c.width, H / 2), colour);
      EXPECT_EQ(At(W - 1 - c.width, H / 2), colour);
      EXPECT_EQ(At(W / 2, H - 1 - c.width), colour);
    }
  }
}

TEST_F(FrameTest, HiddenTitleLeavesABorderLineOverTheWindowColour) {
  Make(TsuiUIStyle::WinXP);
  frame->SetTitleBarVisible(false);
  Pump();
  const uint32_t border = Rgb(frame->BorderColor());
  const uint32_t colour = Rgb(frame->GetColor());
  ASSERT_NE(border, colour);
  for (int x : {3, W / 2, W - 4}) {
    EXPECT_EQ(At(x, 0), border);
    EXPECT_EQ(At(x, 1), colour);
    EXPECT_EQ(At(x, 2), colour);
  }
}

TEST_F(FrameTest, MenuBarColourRunsBesideTheMenuBar) {
  Make(TsuiUIStyle::DeepBlue);
  auto* menu = new fw::MainMenu(host);
  auto* item = new fw::MenuItem(host);
  item->SetCaption("File");
  menu->Add(item);
  frame->SetMenuBarColor(fw::clLime);
  frame->SetMenu(menu);
  Pump();
  ASSERT_NE(frame->MenuBar(), nullptr);
  const int beside = frame->TitleAreaHeight() + frame->MenuBarHeight() / 2;
  EXPECT_EQ(At(1, beside), Rgb(fw::clLime));
  EXPECT_EQ(At(W - 2, beside), Rgb(fw::clLime));
  EXPECT_EQ(At(1, frame->TitleAreaHeight() + frame->MenuBarHeight() + 2), Rgb(frame->GetColor()));
}

TEST_F(FrameTest, StoredSkinBordersAreItsSideAndBottomPictures) {
  MakeWithSkin(skinwriter::BuildStoredSkin());
  ASSERT_TRUE(theme->Ready());
  const auto left = theme->GetThemeBitmap(ThemeBitmap::kFormLeftBorder);
  const auto right = theme->GetThemeBitmap(ThemeBitmap::kFormRightBorder);
  const auto bottom = theme->GetThemeBitmap(ThemeBitmap::kFormBottomBorder1);
  ASSERT_TRUE(left && right && bottom);
  EXPECT_EQ(Bands(), (Rect{left->Width(), 3, right->Width(), bottom->Height()}));

  // The title picture over the window colour in the top band and down both sides.
  const fw::Bitmap& composite = *frame->TitleBar()->GetTitleImage(-2);
  ASSERT_EQ(composite.Width(), W);
  EXPECT_EQ(Mismatches(composite, 0, 0, {0, 0, W, 3}), 0);
  EXPECT_EQ(Mismatches(composite, 0, 0, {0, 0, left->Width(), composite.Height()}), 0);
  EXPECT_EQ(Mismatches(composite, 0, 0, {W - right->Width(), 0, W, composite.Height()}), 0);

  // Below the title the side pictures, stretched down to the bottom border.
  const int top = frame->TitleAreaHeight(), bh = bottom->Height();
  for (int y : {top, H / 2, H - bh - 1}) {
    EXPECT_EQ(Mismatches(*left, 0, y, {0, y, left->Width(), y + 1}), 0) << y;
    EXPECT_EQ(Mismatches(*right, W - right->Width(), y, {W - right->Width(), y, W, y + 1}), 0);
  }
  // The bottom picture's thirds: its ends at the corners, its middle stretched between.
  const int slice = bottom->Width() / 3;
  EXPECT_EQ(Mismatches(*bottom, 0, H - bh, {0, H - bh, slice, H}), 0);
  EXPECT_EQ(Mismatches(*bottom, W - bottom->Width(), H - bh, {W - slice, H - bh, W, H}), 0);
  for (int y = 0; y < bh; ++y) EXPECT_EQ(At(W / 2, H - bh + y), bottom->Scanline(y)[slice]);

  // The outline follows the title's see-through corners in the scanned rows 0 to 5 only;
  // the bottom picture does not shape this skin's window.
  EXPECT_FALSE(InOutline(0, 0));
  EXPECT_FALSE(InOutline(W - 1, 0));
  EXPECT_TRUE(InOutline(W / 2, 0));
  EXPECT_TRUE(InOutline(0, 6));
  EXPECT_TRUE(InOutline(0, H - 1));
}

TEST_F(FrameTest, SkinWithoutBorderPicturesPaintsThinBandsInItsWindowColour) {
  const fw::Color form_colour = fw::MakeColor(30, 160, 90);
  skinwriter::SkinContainerWriter items;
  for (auto& [name, picture] : skinwriter::DrawStoredSkinPictures())
    if (name.find("SKIN2_FORM") != 0) items.AddBitmap(name, picture.ToBmp());
  items.AddInteger("SKIN2_FORMCOLOR", int32_t(form_colour));
  items.AddInteger("SKIN2_TRANSCOLOR", int32_t(fw::MakeColor(255, 0, 255)));
  items.AddByte("SKIN2_TITLEBARNEEDREGION", 1);
  items.AddByte("SKIN2_BOTTOMBORDERNEEDREGION", 1);
  skinwriter::SkinArchiveWriter archive;
  archive.AddEntry("SKINDATA.SK2", items.Build());
  MakeWithSkin(archive.Build());
  ASSERT_TRUE(theme->Ready());
  ASSERT_EQ(theme->GetThemeBitmap(ThemeBitmap::kFormLeftBorder), nullptr);

  EXPECT_EQ(Bands(), (Rect{3, 3, 3, 2}));
  for (const Point p : {Point{0, H / 2}, Point{W - 1, H / 2}, Point{W / 2, H - 1}})
    EXPECT_EQ(At(p.x, p.y), Rgb(form_colour)) << p.x << "," << p.y;
  EXPECT_TRUE(InOutline(W / 2, H - 1));
}

}  // namespace
}  // namespace somnara::skin::testing
