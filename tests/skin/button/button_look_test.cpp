#include <set>
#include <utility>

#include "button_fixture.h"
#include "skin/styles/sui_style_bitmaps.h"

namespace somnara::skin::testing {
namespace {

bool Dark(uint32_t rgb) {
  return ((rgb >> 16) & 0xFF) + ((rgb >> 8) & 0xFF) + (rgb & 0xFF) < 3 * 96;
}

// How a focused button differs from itself unfocused: on the ring FocusedRectMargin in
// from the edges, and in its dark (caption) pixels inside that ring.
struct FocusLook {
  int ring_changes = 0;
  int dark_before = 0;
  int dark_after = 0;
};

class ButtonFocusTest : public ButtonTest {
 protected:
  FocusLook Look(TsuiUIStyle style) {
    TsuiButton* other = AddButton(20, 100, "Other");
    TsuiButton* b = AddButton(20, 20, "Exit");
    b->SetUIStyle(style);
    other->SetFocus();
    Pump();
    const std::vector<uint32_t> before = Shown(*b);
    b->SetFocus();
    Pump();
    const std::vector<uint32_t> after = Shown(*b);
    FocusLook look;
    const int m = b->FocusedRectMargin(), w = b->Width(), h = b->Height();
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const size_t i = size_t(y * w + x);
        const bool on_ring = (x == m || x == w - 1 - m || y == m || y == h - 1 - m) && x >= m &&
                             x < w - m && y >= m && y < h - m;
        if (on_ring) look.ring_changes += before[i] != after[i];
        if (x > m && x < w - 1 - m && y > m && y < h - 1 - m) {
          look.dark_before += Dark(before[i]);
          look.dark_after += Dark(after[i]);
        }
      }
    return look;
  }
};

TEST_F(ButtonFocusTest, BlueGlassShowsTheFocusAsABoldCaptionWithoutRectangle) {
  const FocusLook look = Look(TsuiUIStyle::BlueGlass);
  EXPECT_EQ(look.ring_changes, 0);
  EXPECT_GT(look.dark_after, look.dark_before);
}

TEST_F(ButtonFocusTest, DeepBlueShowsADottedRectangleAndTheSameCaption) {
  const FocusLook look = Look(TsuiUIStyle::DeepBlue);
  EXPECT_GT(look.ring_changes, 0);
  EXPECT_EQ(look.dark_after, look.dark_before);
}

TEST_F(ButtonTest, ADisabledButtonShowsTheNormalFaceAndAnEmbossedCaption) {
  TsuiButton* b = AddButton(20, 20, "Wide");
  // Strokes thick enough to have pixels of the full colour.
  b->SetBounds(20, 20, 200, 60);
  fw::Font font = b->GetFont();
  font.SetHeight(-36);
  font.SetBold(true);
  b->SetFont(font);
  windows.MoveMouse(ScreenOf(*b, 40, 13));  // hot, which a disabled button does not show
  b->SetEnabled(false);
  Pump();
  const fw::Bitmap normal = Face(TsuiUIStyle::DeepBlue, 1);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 20; ++x)
      ASSERT_EQ(PixelOf(*b, x, y), Rgb(normal.GetPixel(x, y))) << x << "," << y;
  // Grey on top of a white copy one pixel down and right.
  std::set<std::pair<int, int>> grey;
  for (int y = 0; y < b->Height(); ++y)
    for (int x = 0; x < b->Width(); ++x)
      if (PixelOf(*b, x, y) == 0x808080) grey.insert({x, y});
  ASSERT_FALSE(grey.empty());
  int white_below_right = 0;
  for (auto [x, y] : grey) white_below_right += PixelOf(*b, x + 1, y + 1) == 0xFFFFFF;
  EXPECT_GT(white_below_right, 0);
}

TEST_F(ButtonTest, AGlyphTwiceAsWideAsHighHoldsAnEnabledAndADisabledFrame) {
  fw::Bitmap glyph(32, 16);
  glyph.Fill(fw::clRed);
  for (int y = 0; y < 16; ++y)
    for (int x = 16; x < 32; ++x) glyph.SetPixel(x, y, fw::clBlue);
  glyph.SetPixel(0, 15, fw::clLime);  // the key
  TsuiButton* b = AddButton(20, 20);
  b->SetGlyph(glyph);
  Pump();
  // Placed as a 16-pixel glyph: x = (80 - 16 - 0 - 4) / 2, y = (27 - 16) / 2.
  const int gx = 30, gy = 5;
  EXPECT_EQ(PixelOf(*b, gx + 1, gy), 0xFF0000u);
  EXPECT_EQ(PixelOf(*b, gx + 15, gy + 15), 0xFF0000u);
  EXPECT_NE(PixelOf(*b, gx + 16, gy + 8), 0xFF0000u);
  EXPECT_NE(PixelOf(*b, gx + 16, gy + 8), 0x0000FFu);
  EXPECT_NE(PixelOf(*b, gx, gy + 15), 0x00FF00u);
  b->SetEnabled(false);
  Pump();
  EXPECT_EQ(PixelOf(*b, gx + 1, gy), 0x0000FFu);
  EXPECT_EQ(PixelOf(*b, gx + 15, gy + 15), 0x0000FFu);
}

// A button whose style picture is missing from the program.
class NoPictureButton : public TsuiButton {
 public:
  using TsuiButton::TsuiButton;

 protected:
  void GetNormalImage(fw::Bitmap&) override { throw StyleResourceError("NOSUCH_BUTTON"); }
};

TEST_F(ButtonTest, AFacePictureThatCannotBeHadGivesABlankFace) {
  auto* b = new NoPictureButton(form);
  b->SetParent(panel);
  b->SetBounds(20, 20, 90, 30);
  b->SetColor(fw::clRed);
  Pump();
  EXPECT_EQ(CountOtherThan(*b, somnara::testing::kWhiteRgb), 0);
  EXPECT_TRUE(errors.empty());
}

}  // namespace
}  // namespace somnara::skin::testing
