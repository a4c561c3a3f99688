// The built-in theme: the skin the program stores in the backdrop's description, and what
// becomes of damaged, enciphered or replaced stored data.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "framework/application.h"
#include "framework/description/description_loader.h"
#include "framework/description/description_parser.h"
#include "framework/form.h"
#include "framework/global_components.h"
#include "framework/resources.h"
#include "headless_fixture.h"
#include "skin/theme/skin_item_container.h"
#include "skin/theme/tsk2_skin_file_reader.h"
#include "skin/theme/tsui_built_in_file_theme.h"
#include "theme_test_support.h"

namespace somnara::skin {
namespace {

using testing::Rgb;
using testing::ScratchFolder;
using testing::SmallSkin;

std::string_view AsText(std::span<const uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

fw::Value Binary(std::vector<uint8_t> bytes) {
  fw::Value v;
  v.kind = fw::Value::Kind::kBinary;
  v.bytes = std::move(bytes);
  return v;
}

class BuiltInThemeTest : public somnara::testing::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    resources::RegisterProgramResources();
    TsuiBuiltInFileTheme::StaticClassInfo();
  }
  fw::Form* NewForm(const std::string& name) {
    auto* form = new fw::Form(&fw::App());
    form->SetName(name);
    return form;
  }
  static std::vector<uint8_t> StoredSkin() {
    const fw::ResourceLookup found = fw::FindResource("skins/stored.skn");
    EXPECT_TRUE(found.found);
    return {found.bytes.begin(), found.bytes.end()};
  }
};

// Applies only the theme object of the backdrop's stored description to a stand-in form,
// exactly as the backdrop's own load applies it.
TEST_F(BuiltInThemeTest, TheBackdropsStoredSkinLoadsReadyWithAllItsItems) {
  const fw::ResourceLookup text = fw::FindResource("forms/TForm1.wnd");
  ASSERT_TRUE(text.found);
  fw::DescriptionObject backdrop = fw::ParseDescription(AsText(text.bytes), "forms/TForm1.wnd");
  auto it =
      std::find_if(backdrop.children.begin(), backdrop.children.end(),
                   [](const fw::DescriptionObject& o) { return o.name == "suiBuiltInFileTheme1"; });
  ASSERT_NE(it, backdrop.children.end());
  EXPECT_EQ(it->class_name, "TsuiBuiltInFileTheme");
  fw::DescriptionObject only_theme;
  only_theme.class_name = "TForm";
  only_theme.name = "Form1";
  only_theme.children.push_back(*it);
  fw::Form* form = NewForm("Form1");
  fw::ApplyDescription(*form, std::move(only_theme), "forms/TForm1.wnd");

  auto* theme = form->Find<TsuiBuiltInFileTheme>("suiBuiltInFileTheme1");
  ASSERT_NE(theme, nullptr);
  // Other windows name it through the backdrop.
  EXPECT_EQ(fw::FindGlobalComponent("Form1.suiBuiltInFileTheme1"), theme);
  ASSERT_TRUE(theme->Ready());
  EXPECT_EQ(ResolveStyle(theme, TsuiUIStyle::FromThemeFile),
            (ResolvedStyle{true, TsuiUIStyle::FromThemeFile}));
  const SkinItemContainer& items = theme->Manager().Reader()->Items();
  EXPECT_EQ(items.BitmapCount(), 31u);
  EXPECT_EQ(items.IntegerCount(), 43u);
  EXPECT_EQ(items.ByteCount(), 9u);

  EXPECT_EQ(theme->GetThemeColor(ThemeColor::kButtonFontColor), Rgb(249, 250, 248));
  EXPECT_EQ(theme->GetThemeColor(ThemeColor::kTransColor), Rgb(255, 0, 255));
  EXPECT_EQ(theme->GetThemeColor(ThemeColor::kFormColor), Rgb(237, 229, 202));
  EXPECT_EQ(theme->GetThemeColor(ThemeColor::kControlBorderColor), Rgb(209, 192, 160));
  EXPECT_EQ(theme->GetThemeColor(ThemeColor::kControlFontColor), Rgb(0, 0, 0));
  EXPECT_EQ(theme->GetThemeColor(ThemeColor::kTitleFontColor), Rgb(255, 255, 255));
  EXPECT_FALSE(theme->GetThemeBool(ThemeBool::kButtonTrans));
  struct Size {
    ThemeBitmap item;
    int width, height;
  };
  for (const Size& s :
       {Size{ThemeBitmap::kButton, 225, 23}, Size{ThemeBitmap::kTrackBar, 60, 6},
        Size{ThemeBitmap::kTrackBarSlider, 11, 21}, Size{ThemeBitmap::kTrackBarVSlider, 21, 11}}) {
    const auto picture = theme->GetThemeBitmap(s.item);
    ASSERT_NE(picture, nullptr) << ThemeItemName(s.item);
    EXPECT_EQ(picture->Width(), s.width) << ThemeItemName(s.item);
    EXPECT_EQ(picture->Height(), s.height) << ThemeItemName(s.item);
  }
  fw::Bitmap pressed;
  ASSERT_TRUE(theme->GetThemeFrame(ThemeBitmap::kButton, pressed, 3, 3));
  EXPECT_EQ(pressed.Width(), 75);
  EXPECT_EQ(fw::GetProperty(*theme, "SkinData").bytes, StoredSkin());
  // The skin came from memory: there is no file behind it.
  EXPECT_EQ(theme->ThemeFile(), "");
}

TEST_F(BuiltInThemeTest, DamagedSkinDataEndsNotReadyWithoutAnError) {
  TsuiBuiltInFileTheme theme(nullptr);
  const std::vector<uint8_t> good = StoredSkin();
  std::vector<uint8_t> flipped = good;
  // The middle of the deflated entry.
  for (size_t i = 200; i < 260; ++i) flipped[i] ^= 0x5A;
  std::vector<uint8_t> zip = good;
  zip[0] = 'P';
  zip[1] = 'K';
  const std::vector<std::vector<uint8_t>> damaged = {
      flipped, zip, {good.begin(), good.begin() + 100}, {good.begin() + 2, good.end()}, {}};
  for (size_t i = 0; i < damaged.size(); ++i) {
    fw::SetProperty(theme, "SkinData", Binary(good));
    ASSERT_TRUE(theme.Ready());
    EXPECT_NO_THROW(fw::SetProperty(theme, "SkinData", Binary(damaged[i]))) << i;
    EXPECT_FALSE(theme.Ready()) << i;
    EXPECT_EQ(theme.GetThemeBitmap(ThemeBitmap::kButton), nullptr) << i;
    EXPECT_EQ(theme.GetThemeColor(ThemeColor::kFormColor), 0) << i;
    EXPECT_EQ(ResolveStyle(&theme, TsuiUIStyle::FromThemeFile),
              (ResolvedStyle{false, TsuiUIStyle::DeepBlue}));
  }
}

TEST_F(BuiltInThemeTest, AStoredReadyTrueOverADamagedSkinLeavesTheThemeNotReady) {
  static const uint8_t kDamaged[] = {'S', 'K', 3, 4, 0, 0, 0, 0};
  static const fw::ResourceEntry kTable[] = {{"test/damaged.skn", kDamaged, sizeof kDamaged},
                                             {nullptr, nullptr, 0}};
  fw::RegisterResources(kTable);
  fw::Form* form = NewForm("Form1");
  EXPECT_NO_THROW(fw::LoadDescriptionText(*form, R"(TForm Form1 {
    TsuiBuiltInFileTheme theme {
      SkinData = resource("test/damaged.skn")
      Ready = True
    }
  })"));
  auto* theme = form->Find<TsuiBuiltInFileTheme>("theme");
  ASSERT_NE(theme, nullptr);
  EXPECT_FALSE(theme->Ready());
}

TEST_F(BuiltInThemeTest, SkinDataMustBeBinary) {
  TsuiBuiltInFileTheme theme(nullptr);
  try {
    fw::SetProperty(theme, "SkinData", fw::Value::String("skins/stored.skn"));
    ADD_FAILURE() << "a text was taken as skin data";
  } catch (const fw::Exception& e) {
    EXPECT_STREQ(e.what(), "Invalid property value: skin file data was expected");
  }
  EXPECT_FALSE(theme.Ready());
}

TEST_F(BuiltInThemeTest, AnEncipheredStoredSkinLoadsWithItsPasswordWrittenBeforeOrAfterIt) {
  SmallSkin locked;
  locked.password = "moon";
  locked.form_colour = Rgb(3, 2, 1);
  const std::vector<uint8_t> bytes = locked.Build();

  TsuiBuiltInFileTheme after(nullptr);
  after.SetSkinData(bytes);
  EXPECT_FALSE(after.Ready());
  after.SetPassword("");
  EXPECT_FALSE(after.Ready());
  after.SetPassword("sun");
  EXPECT_FALSE(after.Ready());
  fw::SetProperty(after, "Password", fw::Value::String("moon"));
  ASSERT_TRUE(after.Ready());
  EXPECT_EQ(after.GetThemeColor(ThemeColor::kFormColor), Rgb(3, 2, 1));

  TsuiBuiltInFileTheme before(nullptr);
  before.SetPassword("moon");
  EXPECT_FALSE(before.Ready());
  before.SetSkinData(bytes);
  EXPECT_TRUE(before.Ready());
}

TEST_F(BuiltInThemeTest, ItsOwnThemeFileIsKeptApartAndLoadsOnlyAFileThatExists) {
  ScratchFolder folder;
  TsuiBuiltInFileTheme theme(nullptr);
  theme.SetSearchFolders({});
  const std::vector<uint8_t> stored = StoredSkin();
  theme.SetSkinData(stored);
  ASSERT_TRUE(theme.Ready());

  // The designer's path, gone on this machine: nothing changes.
  fw::SetProperty(theme, "ThemeFile", fw::Value::String("C:\\Skins\\Cream.skn"));
  EXPECT_EQ(fw::GetProperty(theme, "ThemeFile").text, "C:\\Skins\\Cream.skn");
  EXPECT_EQ(theme.ThemeFile(), "");
  EXPECT_TRUE(theme.Ready());
  EXPECT_EQ(theme.GetThemeColor(ThemeColor::kFormColor), Rgb(237, 229, 202));
  EXPECT_EQ(theme.SkinData(), stored);

  // A file that is there is loaded, and is what a stored description would carry.
  const std::vector<uint8_t> small = SmallSkin{}.Build();
  const std::string path = folder.Write("small.skn", small);
  theme.SetDesignThemeFile(path);
  EXPECT_EQ(theme.ThemeFile(), path);
  EXPECT_TRUE(theme.Ready());
  EXPECT_EQ(theme.GetThemeColor(ThemeColor::kFormColor), Rgb(10, 20, 30));
  EXPECT_EQ(theme.SkinData(), small);
  // A password change now reloads the file, not the stored bytes.
  SmallSkin changed;
  changed.form_colour = Rgb(7, 7, 7);
  folder.Write("small.skn", changed.Build());
  theme.SetPassword("x");
  EXPECT_EQ(theme.GetThemeColor(ThemeColor::kFormColor), Rgb(7, 7, 7));
}

}  // namespace
}  // namespace somnara::skin
