// The pictures the built-in styles name are in the program, with the sizes and frame
// layouts the controls cut them by, and with the transparency the controls expect.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "framework/resources.h"
#include "skin/styles/sui_public.h"
#include "skin/styles/sui_style_bitmaps.h"
#include "skin/styles/sui_style_catalogue.h"

namespace somnara::skin {
namespace {

using S = TsuiUIStyle;
constexpr S kStyles[] = {S::MacOS, S::WinXP, S::DeepBlue, S::Protein, S::BlueGlass};

class StylePicturesTest : public ::testing::Test {
 protected:
  void SetUp() override { resources::RegisterProgramResources(); }

  static fw::Bitmap Item(S style, StyleItem item, int index = 0, int count = 0) {
    fw::Bitmap b;
    EXPECT_TRUE(GetStyleBitmap(style, item, &b, index, count));
    return b;
  }
  static fw::Bitmap Named(const char* name) {
    fw::Bitmap b;
    EXPECT_TRUE(LoadStyleBitmap(name, b)) << name;
    return b;
  }
  static bool IsMagenta(const fw::Bitmap& b, int x, int y) {
    return b.GetPixel(x, y) == kSkinMagenta;
  }
  static int MagentaCount(const fw::Bitmap& b) {
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x) n += IsMagenta(b, x, y);
    return n;
  }
  static int DifferingPixels(const fw::Bitmap& a, const fw::Bitmap& b) {
    int n = 0;
    for (int y = 0; y < a.Height(); ++y)
      for (int x = 0; x < a.Width(); ++x) n += a.GetPixel(x, y) != b.GetPixel(x, y);
    return n;
  }
  static size_t Colours(const fw::Bitmap& b) {
    std::set<fw::Color> seen;
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x) seen.insert(b.GetPixel(x, y));
    return seen.size();
  }
};

TEST_F(StylePicturesTest, EveryNamedPictureOfEveryStyleIsInTheProgram) {
  int loaded = 0;
  for (S s : kStyles)
    for (int item = 1; item <= kStyleItemCount; ++item) {
      std::string name(GetStyleBitmapName(s, StyleItem(item)));
      if (name.empty()) continue;
      fw::Bitmap b;
      ASSERT_TRUE(LoadStyleBitmap(name, b)) << name;
      EXPECT_FALSE(b.Empty()) << name;
      ++loaded;
    }
  EXPECT_EQ(loaded, 5 * 19);
  for (const char* name : {"MSGDLG", "MENU_CHECKED", "MDI_CONTROL_BUTTON", "PANEL_BUTTON",
                           "SIDECHANNEL_BTN", "STATUSBAR_HANDLE", "MSNPOPFORM", "MACOS_MENU_BAR",
                           "MACOS_MENU_SELECT", "MACOS_FORM_BACKGROUND", "PROTEIN_FORM_BACKGROUND"})
    EXPECT_FALSE(Named(name).Empty()) << name;
}

TEST_F(StylePicturesTest, SizesOfThePicturesTheControlsCut) {
  struct Size {
    int w, h;
  };
  const Size face[] = {{252, 23}, {54, 21}, {222, 21}, {222, 21}, {231, 27}};
  const Size title_buttons[] = {{306, 17}, {378, 21}, {342, 19}, {342, 19}, {342, 19}};
  const Size bar[] = {{45, 5}, {45, 8}, {45, 4}, {45, 4}, {45, 4}};
  const Size slider[] = {{11, 20}, {11, 21}, {11, 20}, {11, 20}, {11, 20}};
  const Size vslider[] = {{19, 11}, {22, 11}, {18, 11}, {18, 11}, {18, 11}};
  auto check = [](const fw::Bitmap& b, Size size, const char* what, int s) {
    EXPECT_EQ(b.Width(), size.w) << what << " " << s;
    EXPECT_EQ(b.Height(), size.h) << what << " " << s;
  };
  for (int s = 0; s < 5; ++s) {
    check(Item(kStyles[s], StyleItem::kButton), face[s], "face", s);
    check(Item(kStyles[s], StyleItem::kTitleButtons), title_buttons[s], "title buttons", s);
    check(Item(kStyles[s], StyleItem::kTrackBarBar), bar[s], "bar", s);
    check(Item(kStyles[s], StyleItem::kTrackBarSlider), slider[s], "slider", s);
    check(Item(kStyles[s], StyleItem::kTrackBarSliderVertical), vslider[s], "vertical slider", s);
  }
  fw::Bitmap msg = Named("MSGDLG");
  EXPECT_EQ(msg.Width(), 168);
  EXPECT_EQ(msg.Height(), 42);
}

TEST_F(StylePicturesTest, FaceFramesDifferVisiblyAndHaveGradients) {
  for (S s : kStyles) {
    fw::Bitmap normal = Item(s, StyleItem::kButton, 1, 3), hot = Item(s, StyleItem::kButton, 2, 3),
               pressed = Item(s, StyleItem::kButton, 3, 3);
    int area = normal.Width() * normal.Height();
    EXPECT_GT(DifferingPixels(normal, hot), area / 4) << int(s);
    EXPECT_GT(DifferingPixels(normal, pressed), area / 4) << int(s);
    EXPECT_GT(DifferingPixels(hot, pressed), area / 4) << int(s);
    EXPECT_GE(Colours(normal), 8u) << int(s);
  }
}

TEST_F(StylePicturesTest, FacesUseMagentaExactlyWhenTheyAreDrawnWithTransparency) {
  for (S s : kStyles) {
    for (int frame = 1; frame <= 3; ++frame) {
      fw::Bitmap face = Item(s, StyleItem::kButton, frame, 3);
      int w = face.Width(), h = face.Height();
      if (GetStyleBool(s, StyleItem::kButtonTransparent)) {
        // Rounded corners show what lies behind; the middle is solid.
        EXPECT_TRUE(IsMagenta(face, 0, 0)) << int(s);
        EXPECT_TRUE(IsMagenta(face, w - 1, h - 1)) << int(s);
        EXPECT_FALSE(IsMagenta(face, w / 2, h / 2)) << int(s);
        EXPECT_FALSE(IsMagenta(face, w / 2, 0)) << int(s);
      } else {
        EXPECT_EQ(MagentaCount(face), 0) << int(s);
      }
    }
  }
}

TEST_F(StylePicturesTest, TitleButtonsAreKeyedOnTheirBottomLeftPixelWhenTransparent) {
  for (S s : kStyles)
    for (int frame = 1; frame <= 18; ++frame) {
      fw::Bitmap b = Item(s, StyleItem::kTitleButtons, frame, 18);
      if (GetStyleBool(s, StyleItem::kTitleButtonsTransparent)) {
        EXPECT_TRUE(IsMagenta(b, 0, b.Height() - 1)) << int(s) << " " << frame;
        EXPECT_FALSE(IsMagenta(b, b.Width() / 2, b.Height() / 2)) << int(s) << " " << frame;
      } else {
        EXPECT_EQ(MagentaCount(b), 0) << int(s) << " " << frame;
      }
    }
}

TEST_F(StylePicturesTest, EachTitleButtonHasItsOwnSymbolAndStates) {
  for (S s : kStyles) {
    // Hot pictures of control box, help, maximise, restore, minimise, close all differ;
    // so do the normal ones, except that MacOS shows maximise and restore as the same
    // green gem until the pointer is over it.
    for (int a = 0; a < 6; ++a)
      for (int b = a + 1; b < 6; ++b) {
        EXPECT_GT(DifferingPixels(Item(s, StyleItem::kTitleButtons, a * 3 + 2, 18),
                                  Item(s, StyleItem::kTitleButtons, b * 3 + 2, 18)),
                  5)
            << int(s) << " " << a << " " << b;
        if (s == S::MacOS && a == 2 && b == 3) continue;
        EXPECT_GT(DifferingPixels(Item(s, StyleItem::kTitleButtons, a * 3 + 1, 18),
                                  Item(s, StyleItem::kTitleButtons, b * 3 + 1, 18)),
                  5)
            << int(s) << " " << a << " " << b;
      }
    // Hot and pressed differ from normal for every button.
    for (int kind = 0; kind < 6; ++kind) {
      fw::Bitmap normal = Item(s, StyleItem::kTitleButtons, kind * 3 + 1, 18);
      EXPECT_GT(DifferingPixels(normal, Item(s, StyleItem::kTitleButtons, kind * 3 + 2, 18)), 10)
          << int(s);
      EXPECT_GT(DifferingPixels(normal, Item(s, StyleItem::kTitleButtons, kind * 3 + 3, 18)), 10)
          << int(s);
    }
  }
}

TEST_F(StylePicturesTest, TitleSectionsFitTogetherAndHoldTheButtons) {
  for (S s : kStyles) {
    fw::Bitmap left = Item(s, StyleItem::kTitleLeft), client = Item(s, StyleItem::kTitleClient),
               right = Item(s, StyleItem::kTitleRight), buttons = Item(s, StyleItem::kTitleButtons);
    EXPECT_EQ(left.Height(), client.Height()) << int(s);
    EXPECT_EQ(right.Height(), client.Height()) << int(s);
    // The buttons sit inside the strip at the style's button top.
    EXPECT_LE(GetStyleInt(s, StyleItem::kTitleButtonTop) + buttons.Height(), client.Height())
        << int(s);
    // The client section is stretched sideways: every row is one colour, so a title of
    // any width looks the same.
    for (int y = 0; y < client.Height(); ++y)
      for (int x = 1; x < client.Width(); ++x)
        ASSERT_EQ(client.GetPixel(x, y), client.GetPixel(0, y)) << int(s) << " row " << y;
    // Its rows form a gradient, not a flat colour.
    std::set<fw::Color> rows;
    for (int y = 0; y < client.Height(); ++y) rows.insert(client.GetPixel(0, y));
    EXPECT_GE(rows.size(), 6u) << int(s);
    EXPECT_EQ(MagentaCount(left) + MagentaCount(client) + MagentaCount(right), 0) << int(s);
    // Left and right pictures together stay within the style's minimum window width.
    EXPECT_LT(left.Width() + right.Width() + 3 * buttons.Width() / 18,
              GetStyleInt(s, StyleItem::kMinimumWidth))
        << int(s);
  }
}

TEST_F(StylePicturesTest, TrackBarPicturesKeyWhereTheControlsExpect) {
  for (S s : kStyles) {
    fw::Bitmap bar = Item(s, StyleItem::kTrackBarBar);
    // Rounded caps show the control's colour; the stretched middle slice is solid.
    EXPECT_TRUE(IsMagenta(bar, 0, 0)) << int(s);
    EXPECT_TRUE(IsMagenta(bar, bar.Width() - 1, bar.Height() - 1)) << int(s);
    for (int y = 0; y < bar.Height(); ++y)
      for (int x = 15; x < 30; ++x) ASSERT_FALSE(IsMagenta(bar, x, y)) << int(s);
    // The horizontal slider is drawn transparent, keyed on its bottom-left pixel.
    fw::Bitmap slider = Item(s, StyleItem::kTrackBarSlider);
    EXPECT_TRUE(IsMagenta(slider, 0, slider.Height() - 1)) << int(s);
    EXPECT_FALSE(IsMagenta(slider, slider.Width() / 2, slider.Height() / 2)) << int(s);
    // The vertical one is drawn opaque and must not show magenta.
    EXPECT_EQ(MagentaCount(Item(s, StyleItem::kTrackBarSliderVertical)), 0) << int(s);
  }
}

TEST_F(StylePicturesTest, TheStylesLookDifferent) {
  for (StyleItem item : {StyleItem::kButton, StyleItem::kTitleClient, StyleItem::kTrackBarSlider}) {
    std::set<fw::Color> centres;
    for (S s : kStyles) {
      const bool face = item == StyleItem::kButton;
      fw::Bitmap b = Item(s, item, face ? 1 : 0, face ? 3 : 0);
      centres.insert(b.GetPixel(b.Width() / 2, b.Height() / 3));
    }
    EXPECT_EQ(centres.size(), 5u) << int(item);
  }
}

TEST_F(StylePicturesTest, MessageDialogIconsAreFourDifferentPictures) {
  fw::Bitmap strip = Named("MSGDLG");
  fw::Bitmap frames[4];
  for (int i = 0; i < 4; ++i) {
    SplitPiece(strip, frames[i], 4, i + 1);
    EXPECT_EQ(frames[i].Width(), 42);
    // Drawn on the dialog's colour, which shows at the corners.
    EXPECT_EQ(frames[i].GetPixel(0, 0), fw::MakeColor(232, 232, 232)) << i;
    EXPECT_GE(Colours(frames[i]), 20u) << i;
  }
  for (int a = 0; a < 4; ++a)
    for (int b = a + 1; b < 4; ++b) EXPECT_GT(DifferingPixels(frames[a], frames[b]), 200);
}

TEST_F(StylePicturesTest, TheMenuCheckIsDarkOnWhite) {
  fw::Bitmap check = Named("MENU_CHECKED");
  int white = 0, dark = 0;
  for (int y = 0; y < check.Height(); ++y)
    for (int x = 0; x < check.Width(); ++x) {
      fw::Color c = check.GetPixel(x, y);
      white += c == fw::clWhite;
      dark += fw::RedOf(c) < 64 && fw::GreenOf(c) < 64 && fw::BlueOf(c) < 64;
    }
  EXPECT_GT(white, check.Width() * check.Height() / 2);
  EXPECT_GE(dark, 10);
  EXPECT_EQ(check.GetPixel(0, 0), fw::clWhite);
}

TEST_F(StylePicturesTest, MacOSMenuPicturesAreTallEnoughToBeCut) {
  // Items take the top 20 rows of the bar and of the selection picture.
  EXPECT_GE(Named("MACOS_MENU_BAR").Height(), 20);
  EXPECT_GE(Named("MACOS_MENU_SELECT").Height(), 20);
}

}  // namespace
}  // namespace somnara::skin
