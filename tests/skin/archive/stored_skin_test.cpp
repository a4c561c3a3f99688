#include "skinwriter/stored_skin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "framework/graphics/bmp_codec.h"
#include "skin/theme/skin_theme_data.h"
#include "skin/theme/tsk2_skin_file_reader.h"

namespace somnara::skin {
namespace {

constexpr int32_t Rgb(int r, int g, int b) {
  return r | (g << 8) | (b << 16);
}

class StoredSkin : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    archive_ = new std::vector<uint8_t>(skinwriter::BuildStoredSkin());
    theme_ = new SkinThemeData();
    ASSERT_TRUE(theme_->ThemeLoadBytes(*archive_, ""));
  }
  static void TearDownTestSuite() {
    delete theme_;
    delete archive_;
  }

  // The picture decoded by the graphics library.
  static fw::Bitmap Picture(ThemeBitmap item) {
    const auto bmp = theme_->GetThemeBitmap(item);
    if (!bmp) ADD_FAILURE() << ThemeItemName(item) << " is missing";
    return bmp ? fw::DecodeBmp(*bmp) : fw::Bitmap();
  }

  static std::vector<uint8_t>* archive_;
  static SkinThemeData* theme_;
};
std::vector<uint8_t>* StoredSkin::archive_ = nullptr;
SkinThemeData* StoredSkin::theme_ = nullptr;

TEST_F(StoredSkin, HoldsThirtyOneBitmapsFortyThreeIntegersAndNineSwitches) {
  const SkinItemContainer& items = theme_->Reader()->Items();
  EXPECT_EQ(items.BitmapCount(), 31u);
  EXPECT_EQ(items.IntegerCount(), 43u);
  EXPECT_EQ(items.ByteCount(), 9u);
  EXPECT_EQ(items.StringCount(), 0u);
  // Every colour, number and switch the controls can ask for is there.
  for (int i = 0; i < kThemeColorCount; ++i)
    EXPECT_TRUE(items.FindInteger(ThemeItemName(ThemeColor(i)))) << i;
  for (int i = 0; i < kThemeIntCount; ++i)
    EXPECT_TRUE(items.FindInteger(ThemeItemName(ThemeInt(i)))) << i;
  for (int i = 0; i < kThemeBoolCount; ++i)
    EXPECT_TRUE(items.FindByte(ThemeItemName(ThemeBool(i)))) << i;
  EXPECT_TRUE(items.FindInteger("SKIN2_SYSTEMCOLOR1"));
  EXPECT_TRUE(items.FindInteger("SKIN2_SYSTEMCOLOR2"));
}

TEST_F(StoredSkin, ColoursTheControlsUse) {
  EXPECT_EQ(theme_->GetThemeColor(ThemeColor::kTransColor), Rgb(255, 0, 255));
  EXPECT_EQ(theme_->GetThemeColor(ThemeColor::kFormColor), Rgb(237, 229, 202));
  EXPECT_EQ(theme_->GetThemeColor(ThemeColor::kControlBorderColor), Rgb(209, 192, 160));
  EXPECT_EQ(theme_->GetThemeColor(ThemeColor::kControlFontColor), Rgb(0, 0, 0));
  EXPECT_EQ(theme_->GetThemeColor(ThemeColor::kTitleFontColor), Rgb(255, 255, 255));
  EXPECT_EQ(theme_->GetThemeColor(ThemeColor::kButtonFontColor), Rgb(249, 250, 248));
  EXPECT_FALSE(theme_->GetThemeBool(ThemeBool::kButtonTrans));
  EXPECT_FALSE(theme_->GetThemeBool(ThemeBool::kTitleFiveSect));
}

TEST_F(StoredSkin, PictureSizes) {
  struct Expected {
    ThemeBitmap item;
    int width, height;
  };
  for (const Expected& e :
       {Expected{ThemeBitmap::kButton, 225, 23}, Expected{ThemeBitmap::kTrackBar, 60, 6},
        Expected{ThemeBitmap::kTrackBarSlider, 11, 21},
        Expected{ThemeBitmap::kTrackBarVSlider, 21, 11}}) {
    const auto frame = theme_->GetThemeFrame(e.item, 0, 0);
    ASSERT_TRUE(frame) << ThemeItemName(e.item);
    EXPECT_EQ(frame->width, e.width) << ThemeItemName(e.item);
    EXPECT_EQ(frame->height, e.height) << ThemeItemName(e.item);
  }
  // Three title sections, left 28 and right 23 pixels wide, all of one height.
  const fw::Bitmap left = Picture(ThemeBitmap::kTitleBar1);
  const fw::Bitmap client = Picture(ThemeBitmap::kTitleBar2);
  const fw::Bitmap right = Picture(ThemeBitmap::kTitleBar3);
  EXPECT_EQ(left.Width(), 28);
  EXPECT_EQ(right.Width(), 23);
  EXPECT_EQ(client.Height(), left.Height());
  EXPECT_EQ(right.Height(), left.Height());
  EXPECT_FALSE(theme_->GetThemeBitmap(ThemeBitmap::kTitleBar4));
  EXPECT_FALSE(theme_->GetThemeBitmap(ThemeBitmap::kTitleBar5));
  // The buttons strip holds 18 equal frames that fit under the title.
  const fw::Bitmap buttons = Picture(ThemeBitmap::kTitleButtons);
  EXPECT_EQ(buttons.Width() % 18, 0);
  EXPECT_LE(theme_->GetThemeInt(ThemeInt::kTitleBarButtonPosY) + buttons.Height(), left.Height());
}

// Whether two same-sized pictures differ noticeably (mean channel difference).
double MeanDifference(const fw::Bitmap& a, const fw::Bitmap& b) {
  double sum = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      const fw::Color p = a.GetPixel(x, y);
      const fw::Color q = b.GetPixel(x, y);
      sum += std::abs(fw::RedOf(p) - fw::RedOf(q)) + std::abs(fw::GreenOf(p) - fw::GreenOf(q)) +
             std::abs(fw::BlueOf(p) - fw::BlueOf(q));
    }
  return sum / (3.0 * a.Width() * a.Height());
}

fw::Bitmap Crop(const fw::Bitmap& source, const ThemeFrame& frame) {
  fw::Bitmap out(frame.width, frame.height);
  for (int y = 0; y < frame.height; ++y)
    for (int x = 0; x < frame.width; ++x) out.SetPixel(x, y, source.GetPixel(frame.left + x, y));
  return out;
}

TEST_F(StoredSkin, ButtonStatesDifferVisibly) {
  const fw::Bitmap strip = Picture(ThemeBitmap::kButton);
  const fw::Bitmap normal = Crop(strip, *theme_->GetThemeFrame(ThemeBitmap::kButton, 1, 3));
  const fw::Bitmap hot = Crop(strip, *theme_->GetThemeFrame(ThemeBitmap::kButton, 2, 3));
  const fw::Bitmap pressed = Crop(strip, *theme_->GetThemeFrame(ThemeBitmap::kButton, 3, 3));
  EXPECT_GT(MeanDifference(normal, hot), 12.0);
  EXPECT_GT(MeanDifference(normal, pressed), 12.0);
  EXPECT_GT(MeanDifference(hot, pressed), 12.0);
  // The button is drawn without transparency: no magenta anywhere.
  for (int y = 0; y < strip.Height(); ++y)
    for (int x = 0; x < strip.Width(); ++x) ASSERT_NE(strip.GetPixel(x, y), Rgb(255, 0, 255));

  const fw::Bitmap title_buttons = Picture(ThemeBitmap::kTitleButtons);
  for (int triple = 0; triple < 6; ++triple) {
    const auto n = theme_->GetThemeFrame(ThemeBitmap::kTitleButtons, 3 * triple + 1, 18);
    const auto h = theme_->GetThemeFrame(ThemeBitmap::kTitleButtons, 3 * triple + 2, 18);
    const auto p = theme_->GetThemeFrame(ThemeBitmap::kTitleButtons, 3 * triple + 3, 18);
    EXPECT_GT(MeanDifference(Crop(title_buttons, *n), Crop(title_buttons, *h)), 8.0) << triple;
    EXPECT_GT(MeanDifference(Crop(title_buttons, *n), Crop(title_buttons, *p)), 8.0) << triple;
  }
}

TEST_F(StoredSkin, MagentaMarksTransparency) {
  const int32_t magenta = Rgb(255, 0, 255);
  const fw::Bitmap slider = Picture(ThemeBitmap::kTrackBarSlider);
  EXPECT_EQ(slider.GetPixel(0, 20), magenta);  // beside the point
  EXPECT_NE(slider.GetPixel(5, 10), magenta);  // the body
  const fw::Bitmap bar = Picture(ThemeBitmap::kTrackBar);
  EXPECT_EQ(bar.GetPixel(0, 0), magenta);  // rounded caps
  EXPECT_EQ(bar.GetPixel(59, 5), magenta);
  EXPECT_NE(bar.GetPixel(30, 3), magenta);
  const fw::Bitmap title = Picture(ThemeBitmap::kTitleBar1);
  EXPECT_EQ(title.GetPixel(0, 0), magenta);  // round top-left corner
  EXPECT_NE(title.GetPixel(0, title.Height() - 1), magenta);
  EXPECT_TRUE(theme_->GetThemeBool(ThemeBool::kTitleBarNeedRegion));
}

TEST_F(StoredSkin, RoundTripsEnciphered) {
  for (bool from_time : {false, true}) {
    const auto archive =
        skinwriter::BuildStoredSkin({.password = "Somnara", .check_byte_from_time = from_time});
    SkinThemeData theme;
    EXPECT_FALSE(theme.ThemeLoadBytes(archive, ""));
    EXPECT_FALSE(theme.ThemeLoadBytes(archive, "somnara"));
    ASSERT_TRUE(theme.ThemeLoadBytes(archive, "Somnara"));
    EXPECT_EQ(theme.Reader()->Items().BitmapCount(), 31u);
    const auto mine = *theme.GetThemeBitmap(ThemeBitmap::kButton);
    const auto plain = *theme_->GetThemeBitmap(ThemeBitmap::kButton);
    EXPECT_TRUE(std::equal(mine.begin(), mine.end(), plain.begin(), plain.end()));
  }
}

TEST_F(StoredSkin, TheBuildWritesTheSameSkin) {
  std::ifstream file(SOMNARA_STORED_SKIN_PATH, std::ios::binary);
  ASSERT_TRUE(file) << SOMNARA_STORED_SKIN_PATH;
  const std::vector<uint8_t> built((std::istreambuf_iterator<char>(file)),
                                   std::istreambuf_iterator<char>());
  EXPECT_EQ(built, *archive_);
  EXPECT_EQ(built[0], 'S');
  EXPECT_EQ(built[1], 'K');
}

}  // namespace
}  // namespace somnara::skin
