// What a stand-alone title bar shows: its sections, its button row and its caption, in
// each built-in style and with the skin stored in the program.
#include "skin/styles/sui_style_bitmaps.h"
#include "title_bar_fixture.h"

namespace somnara::skin::testing {
namespace {

using Type = TsuiTitleBarBtnType;

class TitleBarLookTest : public TitleBarTest, public ::testing::WithParamInterface<TsuiUIStyle> {};

// Left picture at the left edge, right picture at the right edge, the client picture
// stretched between, and the row close / maximise / minimise from the right, one pixel
// apart and one pixel short of the edge; the control box shows no picture (the icon).
TEST_P(TitleBarLookTest, SectionsAndButtonRowOfABuiltInStyle) {
  Make(GetParam());
  const auto& sections = bar->Sections();
  ASSERT_EQ(sections.Count(), 3);
  const fw::Bitmap& left = sections.Item(0).Picture();
  const fw::Bitmap& right = sections.Item(1).Picture();
  const fw::Bitmap& client = sections.Item(2).Picture();
  EXPECT_EQ(bar->Height(), left.Height());
  EXPECT_EQ(bar->Width(), kBarWidth);

  const TsuiTitleBarButton& close = ButtonOf(Type::suiClose);
  const fw::Bitmap& pic = close.PicNormal();
  const int w = pic.Width();
  const int top = bar->ButtonTop();
  const uint32_t skip = close.Transparent() ? CornerColour(pic) : 0xFF000000;
  EXPECT_EQ(Mismatches(pic, kBarWidth - w - 1, top, skip), 0);
  EXPECT_EQ(Mismatches(ButtonOf(Type::suiMax).PicNormal(), kBarWidth - 2 * w - 2, top, skip), 0);
  EXPECT_EQ(Mismatches(ButtonOf(Type::suiMin).PicNormal(), kBarWidth - 3 * w - 3, top, skip), 0);

  // Outside the buttons and the caption: the section pictures.
  EXPECT_EQ(PixelOf(*bar, 0, bar->Height() - 1), left.Scanline(left.Height() - 1)[0] & 0xFFFFFF);
  EXPECT_EQ(PixelOf(*bar, kBarWidth - 1, bar->Height() - 1),
            right.Scanline(right.Height() - 1)[right.Width() - 1] & 0xFFFFFF);
  const int middle = left.Width() + 150;
  EXPECT_EQ(PixelOf(*bar, middle, bar->Height() - 1),
            client.Scanline(client.Height() - 1)[0] & 0xFFFFFF);
}

INSTANTIATE_TEST_SUITE_P(Styles, TitleBarLookTest,
                         ::testing::Values(TsuiUIStyle::MacOS, TsuiUIStyle::WinXP,
                                           TsuiUIStyle::DeepBlue, TsuiUIStyle::Protein,
                                           TsuiUIStyle::BlueGlass),
                         [](const auto& info) { return UIStyleName(info.param); });

TEST_F(TitleBarTest, StoredSkinPlacesItsSectionsAndButtonsByItsNumbers) {
  MakeWithStoredSkin();
  const auto& sections = bar->Sections();
  ASSERT_EQ(sections.Count(), 3);
  EXPECT_EQ(sections.Item(1).Align(), TsuiTitleBarAlign::suiClient);
  EXPECT_EQ(sections.Item(2).Align(), TsuiTitleBarAlign::suiRight);
  EXPECT_EQ(bar->Height(), sections.Item(0).Picture().Height());
  EXPECT_EQ(bar->ButtonTop(), 10);
  EXPECT_EQ(bar->LeftBtnXOffset(), 12);

  // The row starts 8 pixels in from the right (plus the 3 every row keeps) and its
  // see-through pixels show the sections under it.
  const TsuiTitleBarButton& close = ButtonOf(Type::suiClose);
  const int w = close.PicNormal().Width();
  ASSERT_TRUE(close.Transparent());
  const uint32_t magenta = 0xFF00FF;
  const int close_x = kBarWidth - 8 + 3 - (w + 1);
  EXPECT_EQ(Mismatches(close.PicNormal(), close_x, 10, magenta), 0);
  EXPECT_FALSE(ShowsColourIn(magenta, close_x - 2 * (w + 1), close_x + w));

  // The right picture's see-through pixels show the window colour.
  const fw::Bitmap& right = sections.Item(2).Picture();
  const uint32_t form_rgb = fw::ColorToRgb(fw::Color(theme->GetThemeColor(ThemeColor::kFormColor)));
  bool any_cut = false;
  for (int y = 0; y < right.Height(); ++y)
    for (int x = 0; x < right.Width(); ++x)
      if ((right.Scanline(y)[x] & 0xFFFFFF) == magenta) {
        any_cut = true;
        EXPECT_EQ(PixelOf(*bar, kBarWidth - right.Width() + x, y), form_rgb);
      }
  EXPECT_TRUE(any_cut) << "the stored skin's right title picture has a shaped corner";
}

TEST_F(TitleBarTest, CaptionStopsBeforeTheButtonsAndGreysWhenInactive) {
  Make(TsuiUIStyle::DeepBlue);
  const uint32_t green = 0x00FF00;
  fw::Font font = bar->GetFont();
  font.SetColor(fw::MakeColor(0, 255, 0));
  bar->SetFont(font);
  bar->SetCaption(std::string(200, 'W'));
  Pump();
  const int row_left = kBarWidth - 3 * (ButtonOf(Type::suiMin).PicNormal().Width() + 1);
  EXPECT_TRUE(ShowsColourIn(green, row_left - 40, row_left));
  EXPECT_FALSE(ShowsColourIn(green, row_left, kBarWidth));

  // A caption with no room at all is cut down to the ellipsis alone.
  bar->SetLeftBtnXOffset(kBarWidth);
  Pump();
  EXPECT_FALSE(ShowsColourIn(green, kBarWidth - 3, kBarWidth));

  bar->SetLeftBtnXOffset(0);
  bar->SetFormActive(false);
  Pump();
  EXPECT_FALSE(ShowsColourIn(green, 0, kBarWidth));
  EXPECT_TRUE(ShowsColourIn(fw::ColorToRgb(fw::clInactiveCaption), 20, row_left));
}

TEST_F(TitleBarTest, HiddenControlBoxLeavesTheCaptionAtItsOffset) {
  Make(TsuiUIStyle::BlueGlass);  // left offset 4: the caption starts at 4 - 3 = 1
  fw::Font font = bar->GetFont();
  font.SetColor(fw::MakeColor(0, 255, 0));
  bar->SetFont(font);
  bar->SetCaption("Wizard");
  ButtonOf(Type::suiControlBox).SetVisible(false);
  Pump();
  EXPECT_TRUE(ShowsColourIn(0x00FF00, 1, 8));
  ButtonOf(Type::suiControlBox).SetVisible(true);
  Pump();
  EXPECT_FALSE(ShowsColourIn(0x00FF00, 1, 8)) << "the icon's room comes first";
  fw::Bitmap icon;
  ASSERT_TRUE(LoadStyleBitmap("MAINICON", icon));
  EXPECT_EQ(Mismatches(icon, 1 + 3, bar->ButtonTop(), 0xFF00FF), 0);
}

}  // namespace
}  // namespace somnara::skin::testing
