#include <gtest/gtest.h>

#include <limits>

#include "framework/graphics/canvas.h"
#include "graphics_test_util.h"

namespace somnara::fw {
namespace {

using testing::Blank;
using testing::ColumnPicture;
using testing::CountColor;
using testing::InkBox;
using testing::RowPicture;

TEST(CanvasLines, LineToLeavesOutItsEndPointAndMovesThePen) {
  Bitmap b = Blank(12, 12);
  Canvas& c = b.GetCanvas();
  c.Pen().SetColor(clRed);
  c.MoveTo(2, 5);
  c.LineTo(8, 5);
  EXPECT_EQ(RowPicture(b, 5, clRed), "..xxxxxx....");
  EXPECT_EQ(c.PenPos(), (Point{8, 5}));
  // Going on from there draws the corner once, and again not the last point.
  c.LineTo(8, 9);
  EXPECT_EQ(ColumnPicture(b, 8, clRed), ".....xxxx...");
  // Backwards and diagonal lines leave out their end points too.
  Bitmap d = Blank(6, 6);
  d.GetCanvas().Pen().SetColor(clBlue);
  d.GetCanvas().MoveTo(5, 5);
  d.GetCanvas().LineTo(0, 0);
  EXPECT_EQ(CountColor(d, clBlue), 5);
  EXPECT_EQ(d.GetPixel(0, 0), clWhite);
  EXPECT_EQ(d.GetPixel(5, 5), clBlue);
  EXPECT_EQ(d.GetPixel(1, 1), clBlue);
}

TEST(CanvasLines, PolylineSkipsTheLastPointButPolygonClosesTheOutline) {
  Bitmap b = Blank(10, 10);
  Canvas& c = b.GetCanvas();
  c.Pen().SetColor(clBlack);
  Point open[] = {{1, 1}, {6, 1}, {6, 6}};
  c.Polyline(open);
  EXPECT_EQ(CountColor(b, clBlack), 10);
  EXPECT_EQ(b.GetPixel(6, 6), clWhite);

  Bitmap p = Blank(10, 10);
  p.GetCanvas().Brush().SetStyle(BrushStyle::kClear);
  Point square[] = {{1, 1}, {6, 1}, {6, 6}, {1, 6}};
  p.GetCanvas().Polygon(square);
  EXPECT_EQ(CountColor(p, clBlack), 20);  // 6 x 6 outline, every corner drawn
  EXPECT_EQ(p.GetPixel(3, 3), clWhite);
}

TEST(CanvasLines, WidePenDrawsAThickLineWithRoundEnds) {
  Bitmap b = Blank(40, 20);
  Canvas& c = b.GetCanvas();
  c.Pen().SetWidth(5);
  c.MoveTo(10, 10);
  c.LineTo(30, 10);
  EXPECT_EQ(ColumnPicture(b, 20, clBlack), "........xxxxx.......");
  // The round tip reaches past the end point by half the width.
  Rect ink = InkBox(b, clWhite);
  EXPECT_EQ(ink, (Rect{8, 8, 33, 13}));
}

TEST(CanvasLines, DottedAndDashedPensLeaveGapsUntouched) {
  Bitmap b = Blank(24, 3, clGreen);
  Canvas& c = b.GetCanvas();
  c.Pen().SetStyle(PenStyle::kDot);
  c.MoveTo(0, 1);
  c.LineTo(24, 1);
  EXPECT_EQ(RowPicture(b, 1, clBlack), "xxx...xxx...xxx...xxx...");
  EXPECT_EQ(CountColor(b, clGreen), 24 * 3 - 12);

  Bitmap d = Blank(30, 1);
  d.GetCanvas().Pen().SetStyle(PenStyle::kDash);
  d.GetCanvas().MoveTo(0, 0);
  d.GetCanvas().LineTo(30, 0);
  EXPECT_EQ(RowPicture(d, 0, clBlack), "xxxxxxxxxxxxxxxxxx......xxxxxx");

  Bitmap clear = Blank(5, 5);
  clear.GetCanvas().Pen().SetStyle(PenStyle::kClear);
  clear.GetCanvas().MoveTo(0, 0);
  clear.GetCanvas().LineTo(5, 5);
  EXPECT_EQ(CountColor(clear, clWhite), 25);
}

TEST(CanvasLines, LinesFarOutsideTheBufferAreClippedWithoutHarm) {
  Bitmap b = Blank(20, 20);
  Canvas& c = b.GetCanvas();
  int big = std::numeric_limits<int>::max();
  c.MoveTo(-big, 10);
  c.LineTo(big, 10);
  EXPECT_EQ(RowPicture(b, 10, clBlack), std::string(20, 'x'));
  c.MoveTo(-big, -big);
  c.LineTo(-big + 5, big);  // never crosses the buffer
  EXPECT_EQ(CountColor(b, clBlack), 20);
}

TEST(CanvasShapes, RectangleOutlinesWithThePenAndLeavesRightAndBottomOut) {
  Bitmap b = Blank(12, 10);
  Canvas& c = b.GetCanvas();
  c.Pen().SetColor(clRed);
  c.Brush().SetColor(clBlue);
  c.Rectangle(2, 3, 10, 8);
  EXPECT_EQ(InkBox(b, clWhite), (Rect{2, 3, 10, 8}));
  EXPECT_EQ(RowPicture(b, 3, clRed), "..xxxxxxxx..");
  EXPECT_EQ(RowPicture(b, 5, clRed), "..x......x..");
  EXPECT_EQ(RowPicture(b, 5, clBlue), "...xxxxxx...");
  EXPECT_EQ(RowPicture(b, 7, clRed), "..xxxxxxxx..");
  EXPECT_EQ(CountColor(b, clBlue), 6 * 3);
}

TEST(CanvasShapes, FillRectAndFrameRectUseTheBrushOnly) {
  Bitmap b = Blank(10, 10);
  Canvas& c = b.GetCanvas();
  c.Pen().SetColor(clRed);  // must not show
  c.Brush().SetColor(clBlue);
  c.FillRect({1, 1, 4, 3});
  EXPECT_EQ(CountColor(b, clBlue), 6);
  EXPECT_EQ(InkBox(b, clWhite), (Rect{1, 1, 4, 3}));

  Bitmap f = Blank(10, 10);
  f.GetCanvas().Brush().SetColor(clGreen);
  f.GetCanvas().FrameRect({2, 2, 7, 6});
  EXPECT_EQ(CountColor(f, clGreen), 2 * 5 + 2 * 2);
  EXPECT_EQ(InkBox(f, clWhite), (Rect{2, 2, 7, 6}));
  EXPECT_EQ(f.GetPixel(4, 4), clWhite);
}

TEST(CanvasShapes, ClearBrushLeavesTheInsideAndClearPenFillsTheWholeRect) {
  Bitmap b = Blank(10, 10, clGreen);
  Canvas& c = b.GetCanvas();
  c.Brush().SetStyle(BrushStyle::kClear);
  c.Rectangle(1, 1, 9, 9);
  c.Ellipse(1, 1, 9, 9);
  EXPECT_EQ(b.GetPixel(4, 4), clGreen);
  EXPECT_EQ(b.GetPixel(1, 1), clBlack);

  Bitmap p = Blank(10, 10);
  p.GetCanvas().Pen().SetStyle(PenStyle::kClear);
  p.GetCanvas().Brush().SetColor(clBlue);
  p.GetCanvas().Rectangle(1, 1, 9, 9);
  EXPECT_EQ(CountColor(p, clBlue), 64);
  // Setting a colour makes a clear brush solid again, as on the desktop platform.
  p.GetCanvas().Brush().SetStyle(BrushStyle::kClear);
  p.GetCanvas().Brush().SetColor(clRed);
  EXPECT_EQ(p.GetCanvas().Brush().Style(), BrushStyle::kSolid);
}

TEST(CanvasShapes, WidePenRectangleIsCentredOnTheOutline) {
  Bitmap b = Blank(20, 20);
  Canvas& c = b.GetCanvas();
  c.Pen().SetWidth(3);
  c.Brush().SetColor(clBlue);
  c.Rectangle(5, 5, 15, 15);
  // Outline pixels 4..6 and 13..15: one pixel outside, one on and one inside each edge.
  EXPECT_EQ(RowPicture(b, 10, clBlack), "....xxx......xxx....");
  EXPECT_EQ(RowPicture(b, 10, clBlue), ".......xxxxxx.......");
}

TEST(CanvasShapes, EllipseTouchesEveryEdgeOfItsBoxAndNoMore) {
  for (Rect box : {Rect{3, 4, 23, 14}, Rect{2, 2, 13, 13}, Rect{0, 0, 2, 5}}) {
    Bitmap b = Blank(30, 20);
    Canvas& c = b.GetCanvas();
    c.Brush().SetColor(clBlue);
    c.Ellipse(box);
    EXPECT_EQ(InkBox(b, clWhite), box);
    // Mirror symmetric in both directions.
    for (int y = box.top; y < box.bottom; ++y)
      for (int x = box.left; x < box.right; ++x) {
        int mx = box.left + box.right - 1 - x, my = box.top + box.bottom - 1 - y;
        ASSERT_EQ(b.GetPixel(x, y), b.GetPixel(mx, y)) << x << "," << y;
        ASSERT_EQ(b.GetPixel(x, y), b.GetPixel(x, my)) << x << "," << y;
      }
    if (box.Width() > 4) {
      EXPECT_EQ(b.GetPixel(box.left, box.top), clWhite);  // corners stay outside
      EXPECT_EQ(b.GetPixel((box.left + box.right) / 2, (box.top + box.bottom) / 2), clBlue);
    }
  }
}

TEST(CanvasShapes, RoundRectCutsOnlyItsCorners) {
  Bitmap b = Blank(30, 20);
  Canvas& c = b.GetCanvas();
  c.Brush().SetColor(clBlue);
  c.RoundRect(0, 0, 30, 20, 10, 10);
  EXPECT_EQ(InkBox(b, clWhite), (Rect{0, 0, 30, 20}));
  EXPECT_EQ(b.GetPixel(0, 0), clWhite);
  EXPECT_EQ(b.GetPixel(29, 19), clWhite);
  EXPECT_EQ(b.GetPixel(15, 0), clBlack);  // straight edges run between the corners
  EXPECT_EQ(b.GetPixel(0, 10), clBlack);
  EXPECT_EQ(b.GetPixel(15, 10), clBlue);
}

TEST(CanvasShapes, ArcDrawsOnlyTheCounterClockwiseSweep) {
  // The top-right quarter of a circle, from its right end to its top.
  Bitmap b = Blank(24, 24);
  Canvas& c = b.GetCanvas();
  c.Arc(2, 2, 22, 22, 22, 12, 12, 2);
  Rect ink = InkBox(b, clWhite);
  EXPECT_GE(ink.left, 11);
  EXPECT_LE(ink.bottom, 13);
  EXPECT_EQ(ink.right, 22);
  EXPECT_EQ(ink.top, 2);
  // The other three quarters make up the rest of the same circle.
  Bitmap whole = Blank(24, 24);
  whole.GetCanvas().Brush().SetStyle(BrushStyle::kClear);
  whole.GetCanvas().Ellipse(2, 2, 22, 22);
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x)
      if (b.GetPixel(x, y) == clBlack) {
        ASSERT_EQ(whole.GetPixel(x, y), clBlack) << x << "," << y;
      }
}

TEST(CanvasShapes, PolygonFillsItsInside) {
  Bitmap b = Blank(20, 20);
  Canvas& c = b.GetCanvas();
  c.Pen().SetStyle(PenStyle::kClear);
  c.Brush().SetColor(clBlue);
  Point triangle[] = {{0, 0}, {20, 0}, {0, 20}};
  c.Polygon(triangle);
  int n = CountColor(b, clBlue);
  EXPECT_NEAR(n, 200, 12);
  EXPECT_EQ(b.GetPixel(1, 1), clBlue);
  EXPECT_EQ(b.GetPixel(18, 18), clWhite);
}

TEST(CanvasClip, OriginShiftsAndClipLimitsEveryDrawing) {
  Bitmap b = Blank(40, 40);
  Canvas& c = b.GetCanvas();
  c.SetOrigin({10, 20});
  c.Brush().SetColor(clBlue);
  c.FillRect({0, 0, 5, 5});
  EXPECT_EQ(InkBox(b, clWhite), (Rect{10, 20, 15, 25}));
  EXPECT_EQ(c.GetPixel(0, 0), clBlue);
  EXPECT_EQ(c.LogicalClipRect(), (Rect{-10, -20, 30, 20}));

  Bitmap d = Blank(40, 40);
  Canvas& k = d.GetCanvas();
  k.SetClipRect({5, 5, 15, 12});
  k.Brush().SetColor(clRed);
  k.FillRect({0, 0, 40, 40});
  k.Ellipse(0, 0, 40, 40);
  k.MoveTo(0, 30);
  k.LineTo(40, 30);
  k.TextOut(0, 0, "Clipped text");
  Bitmap pattern = Blank(2, 2, clGreen);
  k.Draw(0, 0, pattern);
  EXPECT_EQ(InkBox(d, clWhite), (Rect{5, 5, 15, 12}));
  // Outside the clip the pixel reads as nothing and cannot be set.
  EXPECT_EQ(k.GetPixel(0, 0), clNone);
  k.SetPixel(0, 0, clRed);
  EXPECT_EQ(d.GetPixel(0, 0), clWhite);
  k.ResetClip();
  k.SetPixel(0, 0, clRed);
  EXPECT_EQ(d.GetPixel(0, 0), clRed);
}

TEST(CanvasClip, ExtremeCoordinatesNeitherOverflowNorCrash) {
  const int lo = std::numeric_limits<int>::min(), hi = std::numeric_limits<int>::max();
  Bitmap b = Blank(8, 8);
  Bitmap sprite = Blank(4, 4, clRed);
  Canvas& c = b.GetCanvas();
  for (Point origin : {Point{0, 0}, Point{hi, hi}, Point{lo, lo}}) {
    c.SetOrigin(origin);
    c.Pen().SetWidth(3);
    c.MoveTo(lo, lo);
    c.LineTo(hi, hi);
    c.Pen().SetWidth(1);
    c.Pen().SetStyle(PenStyle::kDot);
    c.Rectangle(lo, lo, hi, hi);
    c.Pen().SetStyle(PenStyle::kSolid);
    c.Rectangle(lo, lo, hi, hi);
    c.Ellipse(lo, lo, hi, hi);
    c.RoundRect(lo, lo, hi, hi, hi, lo);
    c.Arc(lo, lo, hi, hi, hi, 0, lo, 0);
    c.FillRect({lo, lo, hi, hi});
    c.FrameRect({lo, lo, hi, hi});
    c.DrawFocusRect({lo, lo, hi, hi});
    Point polygon[] = {{lo, lo}, {hi, lo}, {hi, hi}};
    c.Polygon(polygon);
    c.TextOut(hi, hi, "x");
    c.TextOut(lo, lo, "x");
    c.TextRect({lo, lo, hi, hi}, lo, hi, "x");
    Rect r{lo, lo, hi, hi};
    c.DrawText("a b c", r, DT_WORDBREAK | DT_CENTER);
    Rect calc{lo, lo, hi, hi};
    c.DrawText("a b c", calc, DT_CALCRECT | DT_WORDBREAK);
    c.Draw(hi, hi, sprite);
    c.Draw(lo, lo, sprite);
    c.StretchDraw({lo, lo, hi, hi}, sprite);
    c.StretchDraw({0, 0, 8, 8}, sprite, {lo, lo, hi, hi});
    c.CopyRect({lo, lo, hi, hi}, sprite, {lo, lo, hi, hi});
    c.CopyRect({0, 0, 8, 8}, sprite.GetCanvas(), {lo, lo, hi, hi});
    c.SetPixel(hi, lo, clRed);
    EXPECT_EQ(c.GetPixel(lo, hi), clNone);
  }
  SUCCEED();
}

TEST(CanvasClip, SavedStateComesBack) {
  Bitmap b = Blank(10, 10);
  Canvas& c = b.GetCanvas();
  Canvas::State outer = c.SaveState();
  c.SetOrigin({3, 3});
  c.SetClipRect({3, 3, 5, 5});
  c.RestoreState(outer);
  c.Brush().SetColor(clRed);
  c.FillRect({0, 0, 10, 10});
  EXPECT_EQ(CountColor(b, clRed), 100);
}

TEST(CanvasClip, ChildCoordinatesThroughOriginAndClipTogether) {
  // A child at (30, 10) of size 20 x 10 paints a frame around its own client area.
  Bitmap b = Blank(60, 30);
  Canvas& c = b.GetCanvas();
  c.SetOrigin({30, 10});
  c.SetClipRect({30, 10, 50, 20});
  c.Brush().SetColor(clBlue);
  c.Rectangle(-5, -5, 25, 15);  // larger than the child: only the inside shows
  EXPECT_EQ(InkBox(b, clWhite), (Rect{30, 10, 50, 20}));
  EXPECT_EQ(CountColor(b, clBlue), 200);
}

TEST(CanvasBrush, PatternTilesFromTheCanvasOrigin) {
  auto pattern = std::make_shared<Bitmap>(3, 2);
  const Color colours[2][3] = {{clRed, clGreen, clBlue}, {clYellow, clAqua, clFuchsia}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) pattern->SetPixel(x, y, colours[y][x]);
  Bitmap b = Blank(20, 12);
  Canvas& c = b.GetCanvas();
  c.SetOrigin({4, 1});
  c.Brush().SetBitmap(pattern);
  c.FillRect({-4, -1, 3, 5});
  c.FillRect({5, 3, 16, 11});  // a second fill lines up with the first
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 20; ++x) {
      Color got = b.GetPixel(x, y);
      if (got == clWhite) continue;
      int px = ((x - 4) % 3 + 3) % 3, py = ((y - 1) % 2 + 2) % 2;
      ASSERT_EQ(got, colours[py][px]) << x << "," << y;
    }
  EXPECT_EQ(CountColor(b, clWhite), 20 * 12 - 7 * 6 - 11 * 8);
  // The pattern is filled into Rectangle insides and frames as well.
  Bitmap r = Blank(10, 10);
  r.GetCanvas().Brush().SetBitmap(pattern);
  r.GetCanvas().FrameRect({0, 0, 10, 10});
  EXPECT_EQ(r.GetPixel(0, 0), clRed);
  EXPECT_EQ(r.GetPixel(1, 0), clGreen);
  EXPECT_EQ(r.GetPixel(0, 1), clYellow);
}

TEST(CanvasFocus, FocusRectangleInvertsAndDrawingItTwiceRestores) {
  Bitmap b = Blank(10, 8, clBtnFace);
  Bitmap before = b;
  Canvas& c = b.GetCanvas();
  c.DrawFocusRect({1, 1, 9, 7});
  EXPECT_FALSE(b.SamePixels(before));
  EXPECT_EQ(b.GetPixel(4, 4), before.GetPixel(4, 4));
  EXPECT_EQ(b.GetPixel(1, 1), RgbToColor(~ColorToRgb(clBtnFace) & 0xFFFFFF));
  EXPECT_EQ(b.GetPixel(2, 1), before.GetPixel(2, 1));  // every other pixel
  c.DrawFocusRect({1, 1, 9, 7});
  EXPECT_TRUE(b.SamePixels(before));
}

TEST(CanvasBuffer, DrawsIntoAForeignPixelBuffer) {
  std::vector<uint32_t> pixels(8 * 4, 0x00FFFFFF);
  // A 5 x 4 view with a stride of 8 words: columns 5..7 must stay untouched.
  Canvas c(PixelBuffer{pixels.data(), 5, 4, 8, 0});
  c.Brush().SetColor(clRed);
  c.FillRect({0, 0, 100, 100});
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x)
      ASSERT_EQ(pixels[size_t(y * 8 + x)], x < 5 ? 0x00FF0000u : 0x00FFFFFFu) << x << "," << y;
}

}  // namespace
}  // namespace somnara::fw
