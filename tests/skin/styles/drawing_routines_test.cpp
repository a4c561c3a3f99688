#include <gtest/gtest.h>

#include <functional>

#include "skin/styles/sui_public.h"

namespace somnara::skin {
namespace {

// A picture whose every pixel tells where it came from.
fw::Color Code(int x, int y) {
  return fw::MakeColor(uint8_t(x), uint8_t(y), uint8_t(100 + (x >> 8)));
}
fw::Bitmap Coded(int w, int h) {
  fw::Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, Code(x, y));
  return b;
}
int SourceX(fw::Color c) {
  return fw::RedOf(c) + ((fw::BlueOf(c) - 100) << 8);
}
int SourceY(fw::Color c) {
  return fw::GreenOf(c);
}
fw::Bitmap Blank(int w, int h, fw::Color c = fw::clWhite) {
  fw::Bitmap b(w, h);
  b.Fill(c);
  return b;
}

TEST(SplitPieceTest, TheLastFrameIsTakenFromTheRightEdge) {
  fw::Bitmap strip = Coded(232, 3), frame;
  SplitPiece(strip, frame, 3, 3);
  ASSERT_EQ(frame.Width(), 77);
  ASSERT_EQ(frame.Height(), 3);
  EXPECT_EQ(SourceX(frame.GetPixel(0, 0)), 155);
  EXPECT_EQ(SourceX(frame.GetPixel(76, 2)), 231);
  EXPECT_EQ(SourceY(frame.GetPixel(76, 2)), 2);
  SplitPiece(strip, frame, 3, 1);
  EXPECT_EQ(SourceX(frame.GetPixel(0, 0)), 0);
  EXPECT_EQ(SourceX(frame.GetPixel(76, 0)), 76);
  SplitPiece(strip, frame, 3, 2);
  EXPECT_EQ(SourceX(frame.GetPixel(0, 0)), 77);
  EXPECT_EQ(SourceX(frame.GetPixel(76, 0)), 153);
}

TEST(SplitPieceTest, OneFrameIsTheWholePictureAndTheTargetCanBeTheSource) {
  fw::Bitmap strip = Coded(10, 2), frame;
  SplitPiece(strip, frame, 1, 1);
  EXPECT_TRUE(frame.SamePixels(strip));
  SplitPiece(strip, strip, 5, 4);
  ASSERT_EQ(strip.Width(), 2);
  EXPECT_EQ(SourceX(strip.GetPixel(0, 1)), 6);
  EXPECT_EQ(SourceX(strip.GetPixel(1, 1)), 7);
}

TEST(SplitPieceTest, FramesThatDoNotExistAreRefused) {
  fw::Bitmap strip = Coded(30, 2), frame = Blank(4, 4);
  EXPECT_THROW(SplitPiece(strip, frame, 3, 0), fw::Exception);
  EXPECT_THROW(SplitPiece(strip, frame, 3, 4), fw::Exception);
  EXPECT_THROW(SplitPiece(strip, frame, 0, 1), fw::Exception);
  EXPECT_THROW(SplitPiece(strip, frame, -2, -1), fw::Exception);
  EXPECT_EQ(frame.Width(), 4);
  // A strip narrower than the count gives empty frames, not a failure.
  SplitPiece(Coded(2, 2), frame, 3, 3);
  EXPECT_EQ(frame.Width(), 0);
}

TEST(SplitPieceTest, TheTargetKeepsItsPixelFormat) {
  fw::Bitmap strip(4, 1, fw::PixelFormat::k32Bit);
  strip.Pixels()[2] = 0x80123456;
  fw::Bitmap frame;  // 24 bits
  SplitPiece(strip, frame, 2, 2);
  EXPECT_EQ(frame.Pixels()[0], 0x00123456u);
  fw::Bitmap alpha(1, 1, fw::PixelFormat::k32Bit);
  SplitPiece(Coded(4, 1), alpha, 4, 1);
  EXPECT_EQ(alpha.Pixels()[0] >> 24, 0xFFu);
}

class ThreeSliceTest : public ::testing::Test {
 protected:
  fw::Bitmap picture = Coded(45, 5);
  fw::Bitmap target = Blank(100, 10);
  fw::Canvas& canvas = target.GetCanvas();
};

TEST_F(ThreeSliceTest, CapsAtBothEndsAndTheMiddleStretchedBetween) {
  DrawThreeSlice(picture, canvas, {10, 2, 90, 9});
  for (int x = 10; x < 25; ++x) EXPECT_EQ(SourceX(target.GetPixel(x, 2)), x - 10);
  for (int x = 75; x < 90; ++x) EXPECT_EQ(SourceX(target.GetPixel(x, 6)), x - 75 + 30);
  int last = 14;
  for (int x = 25; x < 75; ++x) {
    int sx = SourceX(target.GetPixel(x, 4));
    EXPECT_GE(sx, 15);
    EXPECT_LE(sx, 29);
    EXPECT_GE(sx, last);
    last = sx;
  }
  // Drawn at the rectangle's top, at the picture's own height.
  EXPECT_EQ(SourceY(target.GetPixel(50, 6)), 4);
  EXPECT_EQ(target.GetPixel(50, 7), fw::clWhite);
  EXPECT_EQ(target.GetPixel(50, 1), fw::clWhite);
  EXPECT_EQ(target.GetPixel(9, 3), fw::clWhite);
  EXPECT_EQ(target.GetPixel(90, 3), fw::clWhite);
}

TEST_F(ThreeSliceTest, ANarrowRectangleShowsOnlyTheLeftCapCut) {
  DrawThreeSlice(picture, canvas, {10, 0, 20, 5});
  for (int x = 10; x < 20; ++x) EXPECT_EQ(SourceX(target.GetPixel(x, 0)), x - 10);
  EXPECT_EQ(target.GetPixel(20, 0), fw::clWhite);
}

TEST_F(ThreeSliceTest, BetweenOneAndTwoSlicesTheRightCapWins) {
  DrawThreeSlice(picture, canvas, {0, 0, 20, 5});
  for (int x = 0; x < 5; ++x) EXPECT_EQ(SourceX(target.GetPixel(x, 0)), x);
  for (int x = 5; x < 20; ++x) EXPECT_EQ(SourceX(target.GetPixel(x, 0)), x - 5 + 30);
}

TEST_F(ThreeSliceTest, TheRightCapComesFromThePicturesRightEdge) {
  fw::Bitmap odd = Coded(47, 1);  // slices of 15; two pixels left over
  DrawThreeSlice(odd, canvas, {0, 0, 60, 1});
  EXPECT_EQ(SourceX(target.GetPixel(45, 0)), 32);
  EXPECT_EQ(SourceX(target.GetPixel(59, 0)), 46);
}

TEST_F(ThreeSliceTest, TheTransparentColourIsLeftOutOnlyWhenGiven) {
  for (int x : {3, 20, 40}) picture.SetPixel(x, 0, kSkinMagenta);
  DrawThreeSlice(picture, canvas, {0, 0, 45, 5}, kSkinMagenta);
  for (int x : {3, 20, 40}) EXPECT_EQ(target.GetPixel(x, 0), fw::clWhite) << x;
  EXPECT_EQ(SourceX(target.GetPixel(4, 0)), 4);
  DrawThreeSlice(picture, canvas, {0, 0, 45, 5});
  for (int x : {3, 20, 40}) EXPECT_EQ(target.GetPixel(x, 0), kSkinMagenta) << x;
}

TEST_F(ThreeSliceTest, EmptyPicturesAndRectanglesDrawNothing) {
  fw::Bitmap before = target;
  DrawThreeSlice(fw::Bitmap(), canvas, {0, 0, 50, 5});
  DrawThreeSlice(Coded(2, 5), canvas, {0, 0, 50, 5});
  DrawThreeSlice(picture, canvas, {30, 0, 30, 5});
  DrawThreeSlice(picture, canvas, {30, 0, 10, 5});
  EXPECT_TRUE(target.SamePixels(before));
}

class NineSliceTest : public ::testing::Test {
 protected:
  // 10 x 8: middle column 5, middle row 4; the right corners are 4 wide, the bottom 3 high.
  fw::Bitmap picture = Coded(10, 8);
  fw::Bitmap target = Blank(40, 30);
  fw::Canvas& canvas = target.GetCanvas();
  int SX(int x, int y) { return SourceX(target.GetPixel(x, y)); }
  int SY(int x, int y) { return SourceY(target.GetPixel(x, y)); }
};

TEST_F(NineSliceTest, CornersKeepTheirSizeAndTheMiddleIsStretched) {
  DrawNineSlice(picture, canvas, {2, 1, 32, 21}, false);
  // Corners, unscaled.
  EXPECT_EQ(SX(2, 1), 0);
  EXPECT_EQ(SX(6, 4), 4);
  EXPECT_EQ(SY(6, 4), 3);
  EXPECT_EQ(SX(28, 1), 6);
  EXPECT_EQ(SX(31, 4), 9);
  EXPECT_EQ(SY(2, 18), 5);
  EXPECT_EQ(SY(31, 20), 7);
  EXPECT_EQ(SX(31, 20), 9);
  // Edges: the middle column between the top and bottom corners, the middle row between
  // the side corners; the centre pixel everywhere else.
  for (int x = 7; x < 28; ++x) {
    EXPECT_EQ(SX(x, 1), 5);
    EXPECT_EQ(SY(x, 4), 3);
    EXPECT_EQ(SX(x, 20), 5);
    EXPECT_EQ(SY(x, 18), 5);
  }
  for (int y = 5; y < 18; ++y) {
    EXPECT_EQ(SY(2, y), 4);
    EXPECT_EQ(SX(4, y), 2);
    EXPECT_EQ(SY(31, y), 4);
    EXPECT_EQ(SX(29, y), 7);
    EXPECT_EQ(SX(15, y), 5);
    EXPECT_EQ(SY(15, y), 4);
  }
  EXPECT_EQ(target.GetPixel(1, 1), fw::clWhite);
  EXPECT_EQ(target.GetPixel(32, 21), fw::clWhite);
}

TEST_F(NineSliceTest, CornersAreLimitedToHalfTheRectangle) {
  DrawNineSlice(picture, canvas, {0, 0, 6, 4}, false);
  EXPECT_EQ(SX(2, 1), 2);
  EXPECT_EQ(SX(3, 0), 7);  // right corner: the picture's right three columns
  EXPECT_EQ(SX(5, 0), 9);
  EXPECT_EQ(SY(0, 2), 6);  // bottom corner: the picture's bottom two rows
  EXPECT_EQ(SY(0, 3), 7);
  EXPECT_EQ(target.GetPixel(6, 0), fw::clWhite);
  EXPECT_EQ(target.GetPixel(0, 4), fw::clWhite);
}

TEST_F(NineSliceTest, AnOddRectangleKeepsOnePixelForTheMiddle) {
  DrawNineSlice(picture, canvas, {0, 0, 7, 5}, false);
  EXPECT_EQ(SX(3, 0), 5);
  EXPECT_EQ(SY(0, 2), 4);
  EXPECT_EQ(SX(4, 0), 7);
}

TEST_F(NineSliceTest, MagentaInStretchedPartsIsNeverDrawnInCornersOnlyWithTheFlag) {
  picture.SetPixel(0, 0, kSkinMagenta);  // corner
  picture.SetPixel(5, 0, kSkinMagenta);  // top edge source
  picture.SetPixel(0, 4, kSkinMagenta);  // left edge source
  picture.SetPixel(5, 4, kSkinMagenta);  // centre
  DrawNineSlice(picture, canvas, {0, 0, 30, 20}, false);
  EXPECT_EQ(target.GetPixel(0, 0), kSkinMagenta);
  EXPECT_EQ(target.GetPixel(12, 0), fw::clWhite);
  EXPECT_EQ(target.GetPixel(0, 10), fw::clWhite);
  EXPECT_EQ(target.GetPixel(12, 10), fw::clWhite);
  EXPECT_EQ(SX(12, 1), 5);

  target.Fill(fw::clWhite);
  DrawNineSlice(picture, canvas, {0, 0, 30, 20}, true);
  EXPECT_EQ(target.GetPixel(0, 0), fw::clWhite);
  EXPECT_EQ(SX(1, 0), 1);
}

TEST_F(NineSliceTest, DegeneratePicturesAndRectanglesAreHarmless) {
  fw::Bitmap before = target;
  DrawNineSlice(fw::Bitmap(), canvas, {0, 0, 20, 20}, true);
  DrawNineSlice(picture, canvas, {5, 5, 5, 20}, true);
  DrawNineSlice(picture, canvas, {5, 5, 2, 2}, true);
  EXPECT_TRUE(target.SamePixels(before));
  // A one-pixel picture fills the whole rectangle with its pixel.
  fw::Bitmap dot = Blank(1, 1, fw::clRed);
  DrawNineSlice(dot, canvas, {0, 0, 9, 9}, false);
  EXPECT_EQ(target.GetPixel(0, 0), fw::clRed);
  EXPECT_EQ(target.GetPixel(8, 8), fw::clRed);
  EXPECT_EQ(target.GetPixel(9, 9), fw::clWhite);
}

TEST(ReplaceColourTest, ExactMatchesAreReplacedAndTheBitmapBecomes24Bit) {
  fw::Bitmap b(3, 1, fw::PixelFormat::k32Bit);
  b.SetPixel(0, 0, kSkinMagenta);
  b.SetPixel(1, 0, fw::MakeColor(254, 0, 255));
  b.SetPixel(2, 0, kSkinMagenta);
  ReplaceColour(b, kSkinMagenta, fw::MakeColor(232, 232, 232));
  EXPECT_EQ(b.PixelFormat(), fw::PixelFormat::k24Bit);
  EXPECT_EQ(b.GetPixel(0, 0), fw::MakeColor(232, 232, 232));
  EXPECT_EQ(b.GetPixel(1, 0), fw::MakeColor(254, 0, 255));
  EXPECT_EQ(b.GetPixel(2, 0), fw::MakeColor(232, 232, 232));
  EXPECT_EQ(b.Pixels()[0] >> 24, 0u);
}

TEST(ReplaceColourTest, SystemColourWordsMeanTheirPlainColour) {
  fw::Bitmap b = Blank(2, 1, fw::SystemColor(fw::COLOR_BTNFACE));
  ReplaceColour(b, fw::clBtnFace, fw::clRed);
  EXPECT_EQ(b.GetPixel(1, 0), fw::clRed);
}

TEST(RotateBitmapTest, AQuarterTurnPutsTheLeftEndAtTheBottom) {
  fw::Bitmap b = Coded(3, 2);
  RotateBitmap(b);
  ASSERT_EQ(b.Width(), 2);
  ASSERT_EQ(b.Height(), 3);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(b.GetPixel(y, 3 - 1 - x), Code(x, y));
  fw::Bitmap strip = Coded(5, 1);
  RotateBitmap(strip);
  EXPECT_EQ(SourceX(strip.GetPixel(0, 4)), 0);
  EXPECT_EQ(SourceX(strip.GetPixel(0, 0)), 4);
}

TEST(RotateBitmapTest, FourTurnsGiveTheSamePictureAndSettingsStay) {
  fw::Bitmap b = Coded(7, 4), original = b;
  b.SetTransparent(true);
  for (int i = 0; i < 4; ++i) RotateBitmap(b);
  EXPECT_TRUE(b.SamePixels(original));
  EXPECT_TRUE(b.Transparent());
  fw::Bitmap empty;
  RotateBitmap(empty);
  EXPECT_TRUE(empty.Empty());
}

TEST(TileDrawTest, TheRectangleIsCoveredFromAGridAnchoredAtTheOrigin) {
  fw::Bitmap tile = Coded(3, 2), target = Blank(12, 9);
  fw::Canvas& canvas = target.GetCanvas();
  TileDraw(canvas, tile, {0, 0, 12, 9});
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 12; ++x) ASSERT_EQ(target.GetPixel(x, y), Code(x % 3, y % 2));
  target.Fill(fw::clWhite);
  TileDraw(canvas, tile, {4, 3, 8, 6});
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 12; ++x) {
      bool inside = x >= 4 && x < 8 && y >= 3 && y < 6;
      ASSERT_EQ(target.GetPixel(x, y), inside ? Code(x % 3, y % 2) : fw::clWhite) << x << "," << y;
    }
  EXPECT_EQ(canvas.ClipRect(), (Rect{0, 0, 12, 9}));
}

TEST(TileDrawTest, AnEmptyPictureDrawsNothing) {
  fw::Bitmap target = Blank(5, 5), before = target;
  TileDraw(target.GetCanvas(), fw::Bitmap(), {0, 0, 5, 5});
  EXPECT_TRUE(target.SamePixels(before));
}

}  // namespace
}  // namespace somnara::skin
