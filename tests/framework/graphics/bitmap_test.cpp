#include "framework/graphics/bitmap.h"

#include <gtest/gtest.h>

#include "framework/exceptions.h"
#include "framework/graphics/canvas.h"
#include "graphics_test_util.h"

namespace somnara::fw {
namespace {

using testing::Blank;
using testing::CountColor;
using testing::InkBox;

constexpr Color kMagenta = MakeColor(255, 0, 255);
constexpr Color kAlmostMagenta = MakeColor(254, 0, 255);

TEST(Colors, WordsConvertToPixelsAndSystemColoursResolve) {
  EXPECT_EQ(ColorToRgb(clRed), 0xFF0000u);
  EXPECT_EQ(ColorToRgb(clBlue), 0x0000FFu);
  EXPECT_EQ(ColorToRgb(MakeColor(1, 2, 3)), 0x010203u);
  EXPECT_EQ(RgbToColor(0x010203), MakeColor(1, 2, 3));
  EXPECT_EQ(ColorToRgb(clBtnFace), ColorToRgb(SystemColor(COLOR_BTNFACE)));
  EXPECT_EQ(clBtnFace, 0xFF00000Fu);
  EXPECT_EQ(clInactiveCaption, 0xFF000003u);
  EXPECT_EQ(ColorToRgb(clWindow), 0xFFFFFFu);
  EXPECT_EQ(ColorToRgb(clWindowText), 0x000000u);
  EXPECT_NE(ColorToRgb(clHighlight), ColorToRgb(clWindow));
  for (int i = 0; i < kSystemColorCount; ++i)
    EXPECT_EQ(ResolveColor(SystemColorRef(i)), SystemColor(i)) << i;
  EXPECT_EQ(ResolveColor(SystemColorRef(200)), clBlack);
  EXPECT_EQ(ResolveColor(clNone), clBlack);
}

TEST(Bitmap, SizeKeepsContentAndRefusesGiantPictures) {
  Bitmap b(3, 2);
  EXPECT_EQ(b.GetPixel(0, 0), clWhite);
  b.SetPixel(1, 1, clRed);
  b.SetSize(5, 4);
  EXPECT_EQ(b.GetPixel(1, 1), clRed);
  EXPECT_EQ(b.GetPixel(4, 3), clWhite);
  b.SetSize(1, 1);
  EXPECT_EQ(CountColor(b, clRed), 0);
  b.SetSize(-3, 5);
  EXPECT_TRUE(b.Empty());
  EXPECT_THROW(b.SetSize(Bitmap::kMaxDimension + 1, 1), Exception);
  EXPECT_THROW(b.SetSize(Bitmap::kMaxDimension, Bitmap::kMaxDimension), Exception);
  EXPECT_EQ(b.GetPixel(-1, 0), clNone);
  b.SetPixel(5, 5, clRed);  // outside: ignored
}

TEST(Bitmap, CopiesAreDeepAndMovesLeaveTheCanvasBehind) {
  Bitmap a = Blank(4, 4, clRed);
  Bitmap b = a;
  b.SetPixel(0, 0, clBlue);
  EXPECT_EQ(a.GetPixel(0, 0), clRed);
  Canvas& canvas = a.GetCanvas();
  Bitmap moved = std::move(a);
  EXPECT_EQ(moved.GetPixel(1, 1), clRed);
  EXPECT_TRUE(a.Empty());
  // The old object's canvas draws on the old (now empty) object; the new one gets its own.
  canvas.FillRect({0, 0, 4, 4});
  EXPECT_NE(&moved.GetCanvas(), &canvas);
  moved.GetCanvas().Brush().SetColor(clGreen);
  moved.GetCanvas().FillRect({0, 0, 1, 1});
  EXPECT_EQ(moved.GetPixel(0, 0), clGreen);
  Bitmap assigned;
  assigned.Assign(moved);
  EXPECT_TRUE(assigned.SamePixels(moved));
}

TEST(Bitmap, PixelFormatKeepsOrDropsAlpha) {
  Bitmap b(2, 1, PixelFormat::k32Bit);
  EXPECT_EQ(b.Pixels()[0], 0xFFFFFFFFu);
  b.GetCanvas().Brush().SetColor(clRed);
  b.GetCanvas().FillRect({0, 0, 1, 1});
  EXPECT_EQ(b.Pixels()[0], 0xFFFF0000u);  // drawing keeps 32-bit pixels opaque
  b.SetPixelFormat(PixelFormat::k24Bit);
  EXPECT_EQ(b.Pixels()[0], 0x00FF0000u);
  EXPECT_EQ(b.View().width, 2);
  EXPECT_EQ(b.View().pixels, b.Pixels());
}

TEST(BitmapTransparency, DrawSkipsExactlyTheTransparentColour) {
  Bitmap sprite(3, 1);
  sprite.SetPixel(0, 0, kMagenta);
  sprite.SetPixel(1, 0, kAlmostMagenta);
  sprite.SetPixel(2, 0, clBlack);
  sprite.SetTransparent(true);
  sprite.SetTransparentColor(kMagenta);
  Bitmap dest = Blank(5, 3, clGreen);
  dest.GetCanvas().Draw(1, 1, sprite);
  EXPECT_EQ(dest.GetPixel(1, 1), clGreen);
  EXPECT_EQ(dest.GetPixel(2, 1), kAlmostMagenta);
  EXPECT_EQ(dest.GetPixel(3, 1), clBlack);
  // Without transparency every pixel is copied.
  sprite.SetTransparent(false);
  dest.GetCanvas().Draw(1, 1, sprite);
  EXPECT_EQ(dest.GetPixel(1, 1), kMagenta);
}

TEST(BitmapTransparency, WithoutAColourTheBottomLeftPixelDecides) {
  Bitmap sprite = Blank(2, 2, clBlue);
  sprite.SetPixel(0, 1, clYellow);  // bottom left
  sprite.SetPixel(1, 0, clYellow);
  sprite.SetTransparent(true);
  EXPECT_FALSE(sprite.HasFixedTransparentColor());
  EXPECT_EQ(sprite.TransparentColor(), clYellow);
  Bitmap dest = Blank(2, 2, clGreen);
  dest.GetCanvas().Draw(0, 0, sprite);
  EXPECT_EQ(CountColor(dest, clGreen), 2);
  EXPECT_EQ(CountColor(dest, clBlue), 2);
  sprite.SetTransparentColor(clBlue);
  EXPECT_EQ(sprite.TransparentColor(), clBlue);
  sprite.SetTransparentColor(clDefault);
  EXPECT_EQ(sprite.TransparentColor(), clYellow);
}

TEST(BitmapTransparency, AlphaOfThirtyTwoBitPicturesBlends) {
  Bitmap sprite(2, 1, PixelFormat::k32Bit);
  sprite.Pixels()[0] = 0x00FF0000;  // fully transparent
  sprite.Pixels()[1] = 0x80FFFFFF;  // half white
  Bitmap dest = Blank(2, 1, clBlack);
  dest.GetCanvas().Draw(0, 0, sprite);
  EXPECT_EQ(dest.GetPixel(0, 0), clBlack);
  EXPECT_EQ(dest.GetPixel(1, 0), MakeColor(128, 128, 128));
}

TEST(StretchDraw, ScalesToTheDestinationRectangle) {
  Bitmap src(3, 1);
  src.SetPixel(0, 0, clRed);
  src.SetPixel(1, 0, clGreen);
  src.SetPixel(2, 0, clBlue);
  Bitmap dest = Blank(12, 4, clBlack);
  dest.GetCanvas().StretchDraw({1, 1, 10, 3}, src);
  EXPECT_EQ(InkBox(dest, clBlack), (Rect{1, 1, 10, 3}));
  EXPECT_EQ(testing::RowPicture(dest, 2, clRed), ".xxx........");
  EXPECT_EQ(testing::RowPicture(dest, 2, clGreen), "....xxx.....");
  EXPECT_EQ(testing::RowPicture(dest, 2, clBlue), ".......xxx..");
  // Shrinking samples the pixel centres: 9 pixels into 3 take the middle of each third.
  Bitmap wide(9, 1);
  for (int x = 0; x < 9; ++x) wide.SetPixel(x, 0, x % 3 == 1 ? clRed : clWhite);
  Bitmap small = Blank(3, 1, clBlack);
  small.GetCanvas().StretchDraw({0, 0, 3, 1}, wide);
  EXPECT_EQ(CountColor(small, clRed), 3);
  // A one-pixel middle slice stretched over a long run.
  Bitmap one = Blank(1, 1, clBlue);
  Bitmap bar = Blank(50, 1, clBlack);
  bar.GetCanvas().StretchDraw({5, 0, 45, 1}, one);
  EXPECT_EQ(CountColor(bar, clBlue), 40);
  // A transparent picture keeps its transparency when stretched.
  src.SetTransparent(true);
  src.SetTransparentColor(clGreen);
  Bitmap keyed = Blank(6, 1, clBlack);
  keyed.GetCanvas().StretchDraw({0, 0, 6, 1}, src);
  EXPECT_EQ(testing::RowPicture(keyed, 0, clBlack), "..xx..");
}

TEST(StretchDraw, PartsOfOnePictureForSlicing) {
  // A 3 x 1 strip: left cap red, magenta middle, right cap blue.
  Bitmap strip(3, 1);
  strip.SetPixel(0, 0, clRed);
  strip.SetPixel(1, 0, kMagenta);
  strip.SetPixel(2, 0, clBlue);
  Bitmap dest = Blank(10, 1, clGreen);
  Canvas& c = dest.GetCanvas();
  c.StretchDraw({0, 0, 1, 1}, strip, {0, 0, 1, 1});
  c.StretchDraw({9, 0, 10, 1}, strip, {2, 0, 3, 1});
  c.TransparentCopy({1, 0, 9, 1}, strip, {1, 0, 2, 1}, kMagenta);
  EXPECT_EQ(testing::RowPicture(dest, 0, clGreen), ".xxxxxxxx.");
  EXPECT_EQ(dest.GetPixel(0, 0), clRed);
  EXPECT_EQ(dest.GetPixel(9, 0), clBlue);
  // The strip's own transparency applies to its parts.
  strip.SetTransparent(true);
  strip.SetTransparentColor(kMagenta);
  c.StretchDraw({1, 0, 9, 1}, strip, {1, 0, 2, 1});
  EXPECT_EQ(CountColor(dest, clGreen), 8);
  strip.SetTransparent(false);
  c.StretchDraw({1, 0, 9, 1}, strip, {1, 0, 2, 1});
  EXPECT_EQ(CountColor(dest, kMagenta), 8);
}

TEST(CopyRect, CopiesBetweenCanvasesWithTheirOrigins) {
  Bitmap src = Blank(10, 10, clWhite);
  src.SetPixel(5, 5, clRed);
  src.SetPixel(6, 5, clBlue);
  src.GetCanvas().SetOrigin({2, 2});
  Bitmap dest = Blank(4, 4, clBlack);
  // Source (3, 3) in the source canvas's coordinates is pixel (5, 5).
  dest.GetCanvas().CopyRect({0, 0, 2, 1}, src.GetCanvas(), {3, 3, 5, 4});
  EXPECT_EQ(dest.GetPixel(0, 0), clRed);
  EXPECT_EQ(dest.GetPixel(1, 0), clBlue);
  EXPECT_EQ(dest.GetPixel(2, 0), clBlack);
  // Mirrored when source and destination run opposite ways.
  dest.GetCanvas().CopyRect({2, 1, 0, 2}, src.GetCanvas(), {3, 3, 5, 4});
  EXPECT_EQ(dest.GetPixel(0, 1), clBlue);
  EXPECT_EQ(dest.GetPixel(1, 1), clRed);
  // Within one picture the copy reads the old pixels even when the areas overlap.
  Bitmap strip(4, 1);
  for (int x = 0; x < 4; ++x) strip.SetPixel(x, 0, MakeColor(uint8_t(x), 0, 0));
  strip.GetCanvas().CopyRect({1, 0, 4, 1}, strip, {0, 0, 3, 1});
  for (int x = 1; x < 4; ++x) EXPECT_EQ(strip.GetPixel(x, 0), MakeColor(uint8_t(x - 1), 0, 0));
  // Source parts outside the picture copy nothing.
  Bitmap edge = Blank(3, 1, clGreen);
  edge.GetCanvas().CopyRect({0, 0, 3, 1}, Blank(2, 1, clRed), {-1, 0, 2, 1});
  EXPECT_EQ(testing::RowPicture(edge, 0, clRed), ".xx");
}

TEST(BitmapFiles, SaveAndLoadRoundTrip) {
  Bitmap b(5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) b.SetPixel(x, y, MakeColor(uint8_t(x * 40), uint8_t(y * 80), 7));
  std::string path = ::testing::TempDir() + "/somnara_roundtrip.bmp";
  b.SaveToFile(path);
  Bitmap loaded;
  loaded.LoadFromFile(path);
  EXPECT_TRUE(loaded.SamePixels(b));
  EXPECT_THROW(b.SaveToFile("/nonexistent-dir/x.bmp"), FileError);
  // A failed load leaves the picture as it was.
  std::vector<uint8_t> junk = {'B', 'M', 1, 2, 3};
  EXPECT_THROW(loaded.LoadFromBytes(junk), Exception);
  EXPECT_TRUE(loaded.SamePixels(b));
}

}  // namespace
}  // namespace somnara::fw
