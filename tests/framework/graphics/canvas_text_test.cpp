#include <gtest/gtest.h>

#include "framework/graphics/canvas.h"
#include "framework/graphics/text_renderer.h"
#include "graphics_test_util.h"
#include "platform/utf8.h"

namespace somnara::fw {
namespace {

using testing::Blank;
using testing::CountColor;
using testing::CountNear;
using testing::InkBox;

// Rows that hold ink, as [top, bottom) runs separated by empty rows.
std::vector<std::pair<int, int>> InkRows(const Bitmap& b, Color background) {
  std::vector<std::pair<int, int>> runs;
  bool in = false;
  for (int y = 0; y < b.Height(); ++y) {
    bool ink = false;
    for (int x = 0; x < b.Width() && !ink; ++x) ink = b.GetPixel(x, y) != background;
    if (ink && !in) runs.emplace_back(y, y + 1);
    if (ink) runs.back().second = y + 1;
    in = ink;
  }
  return runs;
}

TEST(Font, SizeAndHeightFollowEachOther) {
  Font f;
  EXPECT_EQ(f.Height(), -11);
  EXPECT_EQ(f.Size(), 8);
  f.SetSize(12);
  EXPECT_EQ(f.Height(), -16);
  f.SetHeight(-13);
  EXPECT_EQ(f.Size(), 10);  // 9.75 rounds up
  f.SetHeight(20);          // a cell height reads as a negative size
  EXPECT_EQ(f.Size(), -15);
  Font g = f;
  EXPECT_EQ(f, g);
  g.SetBold(true);
  EXPECT_NE(f, g);
  EXPECT_EQ(g.Style(), unsigned(kFontBold));
}

TEST(TextMetrics, NegativeHeightIsTheCharacterSizePositiveTheCell) {
  Bitmap b(10, 10);
  Canvas& c = b.GetCanvas();
  c.Font().SetHeight(-20);
  int cell = c.TextHeight("X");
  EXPECT_GT(cell, 20);  // the cell adds the internal leading
  EXPECT_LT(cell, 28);
  c.Font().SetHeight(20);
  EXPECT_EQ(c.TextHeight("X"), 20);
  FontMetrics m = TextRenderer::Instance().Metrics(c.Font());
  EXPECT_EQ(m.ascent + m.descent, 20);
  EXPECT_GT(m.average_char_width, 0);
  // Width adds up over the characters and grows with the size.
  c.Font().SetHeight(-11);
  int small = c.TextWidth("Somnara");
  c.Font().SetHeight(-22);
  EXPECT_NEAR(c.TextWidth("Somnara"), 2 * small, 7);  // advances are whole pixels
  EXPECT_EQ(c.TextWidth(""), 0);
}

TEST(TextMetrics, DesktopFaceNamesDrawWithInstalledFacesOfTheirWidth) {
  auto face = [](const char* name) {
    Font f;
    f.SetName(name);
    return TextRenderer::Instance().FaceFile(f);
  };
  // The dialog faces draw with faces of their widths: the default, small one narrower still.
  const std::string dialog = TextRenderer::Instance().FaceFile(Font());
  EXPECT_NE(dialog.find("LiberationSansNarrow-Regular"), std::string::npos) << dialog;
  EXPECT_EQ(face("MS Sans Serif"), dialog);
  const std::string caption = face("Tahoma");
  EXPECT_NE(caption.find("LiberationSans-Regular"), std::string::npos) << caption;
  EXPECT_EQ(face("Arial"), caption);
  // Wide faces, and faces nobody has, draw with the main sans face.
  const std::string wide = face("Verdana");
  EXPECT_NE(wide.find("DejaVuSans.ttf"), std::string::npos) << wide;
  EXPECT_EQ(face("No Such Face 123"), wide);
}

TEST(TextOut, BackgroundFollowsTheBrushAndThePenMovesOn) {
  Bitmap b = Blank(120, 30, clGreen);
  Canvas& c = b.GetCanvas();
  c.Brush().SetColor(clYellow);
  c.TextOut(5, 4, "Menu");
  int w = c.TextWidth("Menu"), h = c.TextHeight("Menu");
  EXPECT_EQ(InkBox(b, clGreen), Rect::FromSize(5, 4, w, h));
  EXPECT_EQ(c.PenPos(), (Point{5 + w, 4}));
  EXPECT_GT(CountNear(b, clBlack), 10);  // the font colour, clWindowText, is black

  Bitmap t = Blank(120, 30, clGreen);
  Canvas& k = t.GetCanvas();
  k.Brush().SetStyle(BrushStyle::kClear);
  k.Font().SetColor(clRed);
  k.TextOut(5, 4, "Menu");
  EXPECT_EQ(CountColor(t, clYellow), 0);
  EXPECT_GT(CountNear(t, clRed), 10);
  Rect ink = InkBox(t, clGreen);
  EXPECT_GE(ink.left, 5);
  EXPECT_LE(ink.right, 5 + w);
  EXPECT_GE(ink.top, 4);
  EXPECT_LE(ink.bottom, 4 + h);
}

TEST(TextOut, SameTextGivesTheSamePixelsEveryTime) {
  auto draw = [](const Font& font) {
    Bitmap b = Blank(200, 40);
    b.GetCanvas().Font() = font;
    b.GetCanvas().Brush().SetStyle(BrushStyle::kClear);
    b.GetCanvas().TextOut(3, 3, "Start Somnara - Step 2");
    return b;
  };
  Font f;
  Bitmap first = draw(f);
  f.SetBold(true);
  Bitmap bold = draw(f);
  f.SetBold(false);
  Bitmap again = draw(f);
  EXPECT_TRUE(first.SamePixels(again));
  EXPECT_FALSE(first.SamePixels(bold));
  EXPECT_GT(CountColor(bold, clBlack) + InkBox(bold, clWhite).Width(),
            CountColor(first, clBlack) + InkBox(first, clWhite).Width());
}

TEST(TextOut, StyleDecorationsDrawLines) {
  Bitmap plain = Blank(100, 30), under = Blank(100, 30);
  plain.GetCanvas().Brush().SetStyle(BrushStyle::kClear);
  under.GetCanvas().Brush().SetStyle(BrushStyle::kClear);
  under.GetCanvas().Font().SetUnderline(true);
  plain.GetCanvas().TextOut(2, 2, "a c");
  under.GetCanvas().TextOut(2, 2, "a c");
  // The underline runs below the text under the blank too.
  int w = plain.GetCanvas().TextWidth("a c");
  EXPECT_EQ(InkBox(under, clWhite).left, 2);
  EXPECT_EQ(InkBox(under, clWhite).right, 2 + w);
  EXPECT_GT(InkBox(under, clWhite).bottom, InkBox(plain, clWhite).bottom);
}

TEST(TextFallback, ChineseCaptionsDrawWithAFallbackFace) {
  Font f;
  std::string main = TextRenderer::Instance().FaceFile(f);
  std::string cjk = TextRenderer::Instance().FileForCodePoint(f, U'音');
  ASSERT_FALSE(cjk.empty());
  EXPECT_NE(cjk, main);
  for (const char* caption : {"音量设置超出范围", "错误"}) {
    Bitmap b = Blank(200, 30);
    Canvas& c = b.GetCanvas();
    c.Brush().SetStyle(BrushStyle::kClear);
    c.TextOut(2, 2, caption);
    int w = c.TextWidth(caption);
    EXPECT_GE(w, 8 * int(std::string(caption).size() / 3)) << caption;
    Rect ink = InkBox(b, clWhite);
    EXPECT_FALSE(ink.IsEmpty()) << caption;
    EXPECT_GT(ink.Width(), w * 3 / 4) << caption;
    EXPECT_GT(CountNear(b, clBlack), 20) << caption;
  }
}

TEST(TextFallback, BoldWithoutABoldFaceIsEmboldened) {
  // The CJK face has no bold cut: bold captions get thicker strokes anyway.
  auto ink = [](bool bold) {
    Bitmap b = Blank(120, 30);
    Canvas& c = b.GetCanvas();
    c.Brush().SetStyle(BrushStyle::kClear);
    c.Font().SetBold(bold);
    c.TextOut(2, 2, "错误");
    int dark = 0;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 120; ++x) dark += 255 - GreenOf(b.GetPixel(x, y));
    return dark;
  };
  EXPECT_GT(ink(true), ink(false) * 11 / 10);
}

TEST(TextFallback, BrokenUtf8DrawsReplacementsInsteadOfFailing) {
  using platform::DecodeUtf8;
  EXPECT_EQ(DecodeUtf8("a\xC3\xA9"), U"a\u00E9");
  EXPECT_EQ(DecodeUtf8("A\xE2\x82\xAC\xF0\x9F\x8C\x99"), U"A\u20AC\U0001F319");
  EXPECT_EQ(DecodeUtf8("\xC0\xAF"), U"\uFFFD\uFFFD");            // overlong
  EXPECT_EQ(DecodeUtf8("\xED\xA0\x80"), U"\uFFFD\uFFFD\uFFFD");  // surrogate
  EXPECT_EQ(DecodeUtf8("\xE9\x9F"), U"\uFFFD\uFFFD");            // cut short
  EXPECT_EQ(DecodeUtf8("a\x80z"), U"a\uFFFDz");                  // stray continuation
  EXPECT_EQ(DecodeUtf8("\xC3Z"), U"\uFFFDZ");            // the character that broke it is kept
  EXPECT_EQ(DecodeUtf8("\xF4\x90\x80\x80").size(), 4u);  // past U+10FFFF
  EXPECT_EQ(platform::SanitizeUtf8("ok\xFF"), "ok\xEF\xBF\xBD");
  EXPECT_EQ(platform::EncodeUtf8(0xD800), "\xEF\xBF\xBD");
  EXPECT_EQ(platform::EncodeUtf8(0x1F319), "\xF0\x9F\x8C\x99");
  Bitmap b = Blank(50, 20);
  b.GetCanvas().TextOut(0, 0, "\xFF\xFE\x80");
  EXPECT_GT(b.GetCanvas().TextWidth("\xFF"), 0);
}

TEST(DrawText, CentresTheTextBothWaysOnASingleLine) {
  for (const char* text : {"OK", "Start Somnara", "Menu"}) {
    Bitmap b = Blank(160, 40);
    Canvas& c = b.GetCanvas();
    c.Brush().SetStyle(BrushStyle::kClear);
    Rect r{10, 5, 150, 35};
    c.DrawText(text, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    Rect ink = InkBox(b, clWhite);
    double ink_x = (ink.left + ink.right) / 2.0, ink_y = (ink.top + ink.bottom) / 2.0;
    EXPECT_NEAR(ink_x, (r.left + r.right) / 2.0, 1.5) << text;
    EXPECT_NEAR(ink_y, (r.top + r.bottom) / 2.0, 1.5) << text;
  }
  // Right and bottom alignment.
  Bitmap b = Blank(100, 40);
  Canvas& c = b.GetCanvas();
  c.Brush().SetStyle(BrushStyle::kClear);
  Rect r{0, 0, 100, 40};
  c.DrawText("Exit", r, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
  Rect ink = InkBox(b, clWhite);
  EXPECT_GE(ink.right, 97);
  EXPECT_GE(ink.bottom, 34);
}

TEST(DrawText, WordBreakWrapsAtSpacesAndKeepsLineBreaks) {
  Bitmap b = Blank(200, 200);
  Canvas& c = b.GetCanvas();
  c.Brush().SetStyle(BrushStyle::kClear);
  int line = c.TextHeight("X");
  const char* text = "Put a glass of water by the bed, then press Next.";
  int width = c.TextWidth("Put a glass of water");
  Rect r{0, 0, width, 200};
  int height = c.DrawText(text, r, DT_WORDBREAK);
  auto rows = InkRows(b, clWhite);
  ASSERT_EQ(height % line, 0);
  int lines = height / line;
  EXPECT_EQ(lines, 3);  // "Put a glass of water" / "by the bed, then" / "press Next."
  EXPECT_EQ(int(rows.size()), lines);
  EXPECT_LE(InkBox(b, clWhite).right, width);
  // The first line holds exactly the words that fit.
  Bitmap first = Blank(200, 200);
  first.GetCanvas().Brush().SetStyle(BrushStyle::kClear);
  first.GetCanvas().TextOut(0, 0, "Put a glass of water");
  for (int y = 0; y < line; ++y)
    for (int x = 0; x < 200; ++x) ASSERT_EQ(b.GetPixel(x, y), first.GetPixel(x, y));

  // Explicit breaks make lines of their own; a word wider than the rectangle stays whole.
  Rect calc{0, 0, 40, 0};
  c.DrawText("One\r\nTwo\nThree\rFour", calc, DT_CALCRECT);
  EXPECT_EQ(calc.Height(), 4 * line);
  Rect narrow{0, 0, 10, 0};
  c.DrawText("Unbreakable words", narrow, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_EQ(narrow.Height(), 2 * line);
  EXPECT_EQ(narrow.Width(), c.TextWidth("Unbreakable"));
  // Single-line mode ignores breaks.
  Rect single{0, 0, 10, 0};
  c.DrawText("One\nTwo", single, DT_CALCRECT | DT_SINGLELINE | DT_WORDBREAK);
  EXPECT_EQ(single.Height(), line);
}

TEST(DrawText, CalcRectMatchesWhatIsDrawn) {
  for (unsigned flags : {0u, unsigned(DT_WORDBREAK), unsigned(DT_WORDBREAK | DT_CENTER)}) {
    Bitmap b = Blank(300, 200);
    Canvas& c = b.GetCanvas();
    c.Brush().SetStyle(BrushStyle::kClear);
    const char* text = "Step 3: play time in minutes,\nfade the sound out, then Shut down";
    Rect calc{20, 10, 150, 10};
    int h = c.DrawText(text, calc, flags | DT_CALCRECT);
    EXPECT_EQ(CountColor(b, clWhite), 300 * 200) << "calc must not draw";
    EXPECT_EQ(h, calc.Height());
    Rect draw = calc;
    c.DrawText(text, draw, flags | DT_NOCLIP);
    Rect ink = InkBox(b, clWhite);
    EXPECT_GE(ink.left, calc.left - 1) << flags;
    EXPECT_LE(ink.right, calc.right + 1) << flags;
    EXPECT_GE(ink.top, calc.top) << flags;
    EXPECT_LE(ink.bottom, calc.bottom) << flags;
    EXPECT_GT(ink.Width(), calc.Width() - 4) << flags;
  }
}

TEST(DrawText, AmpersandUnderlinesTheNextCharacter) {
  Bitmap b = Blank(100, 30);
  Canvas& c = b.GetCanvas();
  c.Brush().SetStyle(BrushStyle::kClear);
  Rect r{0, 0, 100, 30};
  c.DrawText("&Menu", r, DT_SINGLELINE);
  Rect plain_rect{0, 0, 100, 30};
  Bitmap plain = Blank(100, 30);
  plain.GetCanvas().Brush().SetStyle(BrushStyle::kClear);
  plain.GetCanvas().DrawText("Menu", plain_rect, DT_SINGLELINE);
  // Same letters, plus a line under the "M" only.
  Rect ink = InkBox(b, clWhite), plain_ink = InkBox(plain, clWhite);
  EXPECT_GT(ink.bottom, plain_ink.bottom);
  int m_width = c.TextWidth("M");
  int underline_row = ink.bottom - 1;
  for (int x = 0; x < 100; ++x)
    EXPECT_EQ(b.GetPixel(x, underline_row) == clBlack, x < m_width) << x;
  for (int y = 0; y < plain_ink.bottom; ++y)
    for (int x = 0; x < 100; ++x) ASSERT_EQ(b.GetPixel(x, y), plain.GetPixel(x, y));

  // "&&" is one literal ampersand; DT_NOPREFIX shows "&" as it is.
  Rect calc{0, 0, 0, 0};
  c.DrawText("Fish && Chips", calc, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(calc.Width(), c.TextWidth("Fish & Chips"));
  calc = {0, 0, 0, 0};
  c.DrawText("&Menu", calc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(calc.Width(), c.TextWidth("&Menu"));
  calc = {0, 0, 0, 0};
  c.DrawText("&Menu", calc, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(calc.Width(), c.TextWidth("Menu"));

  Bitmap hidden = Blank(100, 30);
  hidden.GetCanvas().Brush().SetStyle(BrushStyle::kClear);
  Rect hr{0, 0, 100, 30};
  hidden.GetCanvas().DrawText("&Menu", hr, DT_SINGLELINE | DT_HIDEPREFIX);
  EXPECT_TRUE(hidden.SamePixels(plain));
}

TEST(DrawText, TabsExpandToEightAverageCharacters) {
  Bitmap b = Blank(300, 30);
  Canvas& c = b.GetCanvas();
  c.Brush().SetStyle(BrushStyle::kClear);
  int tab = 8 * TextRenderer::Instance().Metrics(c.Font()).average_char_width;
  Rect calc{0, 0, 0, 0};
  c.DrawText("ab\tI", calc, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
  EXPECT_EQ(calc.Width(), tab + c.TextWidth("I"));
  calc = {0, 0, 0, 0};
  c.DrawText("ab\tI", calc, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(calc.Width(), c.TextWidth("abI"));
}

TEST(DrawText, ClipsToTheRectangleUnlessNoClip) {
  Bitmap b = Blank(200, 40);
  Canvas& c = b.GetCanvas();
  c.Brush().SetStyle(BrushStyle::kClear);
  Rect r{10, 10, 40, 30};
  c.DrawText("A caption much wider than its box", r, DT_SINGLELINE | DT_VCENTER);
  Rect ink = InkBox(b, clWhite);
  EXPECT_GE(ink.left, 10);
  EXPECT_LE(ink.right, 40);
  Bitmap n = Blank(200, 40);
  n.GetCanvas().Brush().SetStyle(BrushStyle::kClear);
  n.GetCanvas().DrawText("A caption much wider than its box", r,
                         DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
  EXPECT_GT(InkBox(n, clWhite).right, 100);
}

TEST(DrawText, EndEllipsisShortensWhatDoesNotFit) {
  Bitmap b = Blank(200, 40);
  Canvas& c = b.GetCanvas();
  Rect calc{0, 0, 60, 0};
  c.DrawText("Somnara has been finished. Good night...", calc,
             DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
  EXPECT_LE(calc.Width(), 60);
  EXPECT_GT(calc.Width(), 40);
  calc = {0, 0, 200, 0};
  c.DrawText("Short", calc, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
  EXPECT_EQ(calc.Width(), c.TextWidth("Short"));
}

TEST(DrawText, OpaqueBrushFillsBehindEachLine) {
  Bitmap b = Blank(100, 40, clGreen);
  Canvas& c = b.GetCanvas();
  c.Brush().SetColor(clYellow);
  Rect r{0, 0, 100, 40};
  c.DrawText("Hi", r, DT_SINGLELINE);
  EXPECT_EQ(InkBox(b, clGreen), Rect::FromSize(0, 0, c.TextWidth("Hi"), c.TextHeight("Hi")));
}

}  // namespace
}  // namespace somnara::fw
