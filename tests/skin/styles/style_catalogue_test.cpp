#include <gtest/gtest.h>

#include <string>

#include "framework/resources.h"
#include "skin/styles/sui_style_bitmaps.h"
#include "skin/styles/sui_style_catalogue.h"

namespace somnara::skin {
namespace {

using S = TsuiUIStyle;
constexpr S kStyles[] = {S::MacOS, S::WinXP, S::DeepBlue, S::Protein, S::BlueGlass};

// The catalogue is addressed by item number.
constexpr StyleItem Item(int number) {
  return StyleItem(number);
}

fw::Color Rgb(int r, int g, int b) {
  return fw::MakeColor(uint8_t(r), uint8_t(g), uint8_t(b));
}

class StyleCatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override { resources::RegisterProgramResources(); }
};

TEST_F(StyleCatalogueTest, EveryItemHasTheKindOfTheTable) {
  // One letter per item 1..48: b bitmap, o boolean, i integer, c colour.
  const std::string kinds =
      "bobbboiiib"  // 1..10
      "bbiicciccc"  // 11..20
      "cccbcccbbb"  // 21..30
      "cbbbcccbbb"  // 31..40
      "bbbcbbic";   // 41..48
  ASSERT_EQ(kinds.size(), 48u);
  for (int item = 1; item <= 48; ++item) {
    auto kind = StyleItemKindOf(Item(item));
    ASSERT_TRUE(kind.has_value()) << item;
    char expected = kinds[size_t(item - 1)];
    char actual = *kind == StyleItemKind::Bitmap    ? 'b'
                  : *kind == StyleItemKind::Boolean ? 'o'
                  : *kind == StyleItemKind::Integer ? 'i'
                                                    : 'c';
    EXPECT_EQ(actual, expected) << "item " << item;
  }
  EXPECT_FALSE(StyleItemKindOf(Item(0)));
  EXPECT_FALSE(StyleItemKindOf(Item(49)));
}

TEST_F(StyleCatalogueTest, IntegersOfTheTitleBarAndFrame) {
  struct Row {
    int item;
    int values[5];
  };
  const Row rows[] = {{7, {3, 2, 0, 0, 4}},    {8, {-2, -2, 0, 0, -3}},
                      {9, {4, 5, 2, 2, 6}},    {13, {130, 150, 130, 130, 270}},
                      {14, {0, 13, 0, 0, 11}}, {17, {1, 3, 1, 1, 1}},
                      {47, {0, 0, 0, 0, 0}}};
  for (const Row& row : rows)
    for (int s = 0; s < 5; ++s)
      EXPECT_EQ(GetStyleInt(kStyles[s], Item(row.item)), row.values[s]) << row.item << " " << s;
}

TEST_F(StyleCatalogueTest, BooleansOfTheButtonsAndTitleButtons) {
  const bool face[] = {true, false, false, false, true};
  const bool title[] = {false, false, false, true, true};
  for (int s = 0; s < 5; ++s) {
    EXPECT_EQ(GetStyleBool(kStyles[s], Item(2)), face[s]) << s;
    EXPECT_EQ(GetStyleBool(kStyles[s], Item(6)), title[s]) << s;
  }
}

TEST_F(StyleCatalogueTest, ColoursAreStoredWithRedInTheLowByte) {
  EXPECT_EQ(GetStyleColor(S::WinXP, Item(16)), 0xC82C00u);  // 0,44,200
  EXPECT_EQ(GetStyleColor(S::WinXP, Item(15)), Rgb(239, 235, 222));
  EXPECT_EQ(GetStyleColor(S::MacOS, Item(15)), Rgb(231, 231, 231));
  EXPECT_EQ(GetStyleColor(S::Protein, Item(15)), Rgb(251, 251, 251));
  EXPECT_EQ(GetStyleColor(S::MacOS, Item(16)), Rgb(127, 127, 127));
  EXPECT_EQ(GetStyleColor(S::DeepBlue, Item(18)), Rgb(68, 74, 160));
  EXPECT_EQ(GetStyleColor(S::Protein, Item(19)), Rgb(45, 48, 196));
  EXPECT_EQ(GetStyleColor(S::BlueGlass, Item(19)), Rgb(94, 94, 236));
  EXPECT_EQ(GetStyleColor(S::WinXP, Item(18)), Rgb(49, 105, 198));
  EXPECT_EQ(GetStyleColor(S::WinXP, Item(19)), Rgb(198, 211, 239));
  EXPECT_EQ(GetStyleColor(S::WinXP, Item(20)), Rgb(0, 0, 0));
  EXPECT_EQ(GetStyleColor(S::MacOS, Item(20)), Rgb(255, 255, 255));
  EXPECT_EQ(GetStyleColor(S::BlueGlass, Item(21)), Rgb(231, 231, 231));
  EXPECT_EQ(GetStyleColor(S::MacOS, Item(23)), Rgb(0, 0, 0));
  EXPECT_EQ(GetStyleColor(S::Protein, Item(23)), Rgb(214, 211, 206));
  EXPECT_EQ(GetStyleColor(S::WinXP, Item(25)), Rgb(104, 104, 104));
  EXPECT_EQ(GetStyleColor(S::MacOS, Item(25)), Rgb(127, 127, 127));
  EXPECT_EQ(GetStyleColor(S::WinXP, Item(27)), Rgb(2, 70, 207));
  EXPECT_EQ(GetStyleColor(S::MacOS, Item(31)), Rgb(201, 201, 201));
  EXPECT_EQ(GetStyleColor(S::BlueGlass, Item(31)), Rgb(244, 244, 244));
  EXPECT_EQ(GetStyleColor(S::WinXP, Item(35)), Rgb(49, 105, 198));
  EXPECT_EQ(GetStyleColor(S::WinXP, Item(37)), Rgb(147, 172, 225));
  EXPECT_EQ(GetStyleColor(S::DeepBlue, Item(37)), Rgb(216, 216, 216));
  EXPECT_EQ(GetStyleColor(S::MacOS, Item(44)), Rgb(0, 0, 0));
  EXPECT_EQ(GetStyleColor(S::DeepBlue, Item(44)), Rgb(255, 255, 255));
  // Items 26 and 48 repeat the client colour of item 15 in every style.
  for (S s : kStyles) {
    EXPECT_EQ(GetStyleColor(s, Item(26)), GetStyleColor(s, Item(15)));
    EXPECT_EQ(GetStyleColor(s, Item(48)), GetStyleColor(s, Item(15)));
  }
}

TEST_F(StyleCatalogueTest, BitmapNamesFollowTheStylePrefixes) {
  EXPECT_EQ(GetStyleBitmapName(S::MacOS, Item(1)), "MACOS_BUTTON");
  EXPECT_EQ(GetStyleBitmapName(S::BlueGlass, Item(5)), "BLUEGLASS_TITLEBTN");
  EXPECT_EQ(GetStyleBitmapName(S::WinXP, Item(30)), "WINXP_TRACKBAR_SLIDER_V");
  EXPECT_EQ(GetStyleBitmapName(S::Protein, Item(41)), "PROTEIN_SIDECHENNEL_HANDLE");
  EXPECT_EQ(GetStyleBitmapName(S::MacOS, Item(38)), "MACOS_SCROLLBUTTON");
  EXPECT_EQ(GetStyleBitmapName(S::WinXP, Item(38)), "WINXP_SCROLLBUTTON");
  for (S s : {S::DeepBlue, S::Protein, S::BlueGlass})
    EXPECT_EQ(GetStyleBitmapName(s, Item(38)), "MORE_SCROLLBUTTON");
  const char* prefixes[] = {"MACOS_", "WINXP_", "DEEPBLUE_", "PROTEIN_", "BLUEGLASS_"};
  for (int s = 0; s < 5; ++s)
    for (int item = 1; item <= 48; ++item) {
      std::string name(GetStyleBitmapName(kStyles[s], Item(item)));
      if (StyleItemKindOf(Item(item)) != StyleItemKind::Bitmap) {
        EXPECT_EQ(name, "") << item;
      } else if (item == 43 || item == 45 || item == 46) {
        EXPECT_EQ(name, "") << item;
      } else if (name != "MORE_SCROLLBUTTON") {
        EXPECT_EQ(name.rfind(prefixes[s], 0), 0u) << name;
      }
    }
}

TEST_F(StyleCatalogueTest, ItemsOfAnotherKindGiveNeutralValues) {
  fw::Bitmap target(3, 2);
  target.Fill(fw::clRed);
  EXPECT_EQ(GetStyleColor(S::MacOS, Item(7)), 0u);
  EXPECT_EQ(GetStyleInt(S::MacOS, Item(15)), -1);
  EXPECT_EQ(GetStyleInt(S::MacOS, Item(2)), -1);
  EXPECT_FALSE(GetStyleBool(S::MacOS, Item(1)));
  EXPECT_FALSE(GetStyleBool(S::WinXP, Item(7)));  // an integer of value 2 is no boolean
  EXPECT_FALSE(GetStyleBitmap(S::MacOS, Item(15), &target));
  EXPECT_FALSE(GetStyleBitmap(S::MacOS, Item(2), &target, 1, 3));
  EXPECT_EQ(target.Width(), 3);
  EXPECT_EQ(target.GetPixel(0, 0), fw::clRed);
  // Item numbers outside 1..48.
  EXPECT_EQ(GetStyleInt(S::MacOS, Item(0)), -1);
  EXPECT_EQ(GetStyleColor(S::MacOS, Item(49)), 0u);
  EXPECT_FALSE(GetStyleBool(S::BlueGlass, Item(-3)));
  EXPECT_FALSE(GetStyleBitmap(S::MacOS, Item(49), &target));
  // A bitmap item without a target changes nothing and reports so.
  EXPECT_FALSE(GetStyleBitmap(S::MacOS, Item(1), nullptr));
}

TEST_F(StyleCatalogueTest, FromThemeFileReadsEveryItemAsTheIntegerMinusOne) {
  fw::Bitmap target(2, 2);
  for (int item : {1, 2, 7, 9, 15, 47, 48}) {
    EXPECT_EQ(GetStyleInt(S::FromThemeFile, Item(item)), -1) << item;
    EXPECT_EQ(GetStyleColor(S::FromThemeFile, Item(item)), 0u) << item;
    EXPECT_FALSE(GetStyleBool(S::FromThemeFile, Item(item))) << item;
    EXPECT_FALSE(GetStyleBitmap(S::FromThemeFile, Item(item), &target, 1, 3)) << item;
    EXPECT_EQ(GetStyleBitmapName(S::FromThemeFile, Item(item)), "") << item;
  }
  EXPECT_EQ(target.Width(), 2);
  // So does any value past the built-in styles.
  EXPECT_EQ(GetStyleInt(S(6), Item(7)), -1);
  EXPECT_EQ(GetStyleColor(S(200), Item(15)), 0u);
}

TEST_F(StyleCatalogueTest, BitmapItemsWithoutPictureRaiseTheResourceError) {
  fw::Bitmap target(2, 2);
  for (int item : {43, 45, 46}) {
    EXPECT_THROW(GetStyleBitmap(S::DeepBlue, Item(item), &target), StyleResourceError) << item;
    EXPECT_EQ(target.Width(), 2);
  }
  try {
    GetStyleBitmap(S::DeepBlue, Item(43), &target);
    ADD_FAILURE() << "no error";
  } catch (const StyleResourceError& e) {
    EXPECT_STREQ(e.what(), "Resource without a name cannot be loaded");
  }
}

TEST_F(StyleCatalogueTest, AFrameThatDoesNotExistIsAClearError) {
  fw::Bitmap target(2, 2);
  EXPECT_THROW(GetStyleBitmap(S::DeepBlue, Item(1), &target, 4, 3), fw::Exception);
  EXPECT_THROW(GetStyleBitmap(S::DeepBlue, Item(1), &target, 0, 3), fw::Exception);
  EXPECT_THROW(GetStyleBitmap(S::DeepBlue, Item(1), &target, 1, -3), fw::Exception);
  EXPECT_EQ(target.Width(), 2);
}

TEST_F(StyleCatalogueTest, FramesComeFromTheStripAsSplitPieceCutsThem) {
  fw::Bitmap strip, frame;
  ASSERT_TRUE(GetStyleBitmap(S::MacOS, Item(5), &strip));
  ASSERT_EQ(strip.Width(), 306);
  for (int index : {1, 10, 18}) {
    ASSERT_TRUE(GetStyleBitmap(S::MacOS, Item(5), &frame, index, 18));
    ASSERT_EQ(frame.Width(), 17);
    ASSERT_EQ(frame.Height(), 17);
    for (int y = 0; y < 17; ++y)
      for (int x = 0; x < 17; ++x)
        ASSERT_EQ(frame.GetPixel(x, y), strip.GetPixel((index - 1) * 17 + x, y)) << index;
  }
}

TEST_F(StyleCatalogueTest, LoadingKeepsTheTargetsTransparencySettings) {
  fw::Bitmap target;
  target.SetTransparent(true);
  target.SetTransparentColor(fw::clLime);
  ASSERT_TRUE(GetStyleBitmap(S::DeepBlue, Item(28), &target));
  EXPECT_EQ(target.Width(), 45);
  EXPECT_TRUE(target.Transparent());
  EXPECT_EQ(target.TransparentColor(), fw::clLime);
}

TEST_F(StyleCatalogueTest, StylePicturesAreFoundByNameWithoutRegardToCase) {
  fw::Bitmap a, b;
  ASSERT_TRUE(LoadStyleBitmap("MSGDLG", a));
  ASSERT_TRUE(LoadStyleBitmap("msgdlg", b));
  EXPECT_TRUE(a.SamePixels(b));
  EXPECT_EQ(StyleBitmapResourceName("Macos_Button"), "generated/styles/MACOS_BUTTON.bmp");
}

TEST_F(StyleCatalogueTest, UnknownOrMalformedNamesLoadNothing) {
  fw::Bitmap target(4, 4);
  for (const char* name :
       {"", "NO_SUCH_PICTURE", "../forms/TForm1", "MSGDLG.bmp", "MS GDLG", "styles/MSGDLG"}) {
    EXPECT_FALSE(LoadStyleBitmap(name, target)) << name;
    EXPECT_EQ(target.Width(), 4) << name;
  }
  EXPECT_EQ(StyleBitmapResourceName(""), "");
  EXPECT_EQ(StyleBitmapResourceName("A/B"), "");
}

// A picture put over the program's by a later resource table, and a damaged one.
const uint8_t kTinyBmp[] = {
    'B', 'M', 62,  0, 0,   0, 0, 0, 0, 0, 54, 0, 0, 0,  // file header
    40,  0,   0,   0, 2,   0, 0, 0, 1, 0, 0,  0, 1, 0, 24, 0, 0, 0, 0, 0,
    8,   0,   0,   0, 0,   0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0,  // info header
    0,   0,   255, 0, 255, 0, 0, 0};                                       // red, green, padding
const uint8_t kDamaged[] = {'B', 'M', 1, 2, 3};
const fw::ResourceEntry kTestPictures[] = {
    {"generated/styles/TEST_TINY.bmp", kTinyBmp, sizeof kTinyBmp},
    {"generated/styles/TEST_DAMAGED.bmp", kDamaged, sizeof kDamaged},
    {nullptr, nullptr, 0}};

TEST_F(StyleCatalogueTest, PicturesAreDecodedFromTheResourceBytes) {
  fw::RegisterResources(kTestPictures);
  fw::Bitmap target;
  ASSERT_TRUE(LoadStyleBitmap("test_tiny", target));
  ASSERT_EQ(target.Width(), 2);
  EXPECT_EQ(target.GetPixel(0, 0), fw::clRed);
  EXPECT_EQ(target.GetPixel(1, 0), fw::clLime);
  fw::Bitmap untouched(3, 3);
  EXPECT_THROW(LoadStyleBitmap("TEST_DAMAGED", untouched), fw::Exception);
  EXPECT_EQ(untouched.Width(), 3);
}

}  // namespace
}  // namespace somnara::skin
