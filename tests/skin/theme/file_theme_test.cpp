// The skin file theme on its own: loading by path, the answers for present and missing
// items, readiness, passwords, the search folders and the manager's reader.
#include <gtest/gtest.h>

#include "framework/class_info.h"
#include "platform/platform.h"
#include "skin/styles/tsui_ui_style.h"
#include "skin/theme/skin_item_container.h"
#include "skin/theme/tsk2_skin_file_reader.h"
#include "skin/theme/tsui_file_theme.h"
#include "skin/theme/tsui_file_theme_mgr.h"
#include "theme_test_support.h"

namespace somnara::skin {
namespace {

using testing::Rgb;
using testing::ScratchFolder;
using testing::SmallSkin;
using testing::StripColumn;

TEST(FileThemeTest, ANewThemeIsNotReadyAndAnswersNeutrally) {
  TsuiFileTheme theme(nullptr);
  EXPECT_FALSE(theme.Ready());
  EXPECT_EQ(theme.GetThemeBitmap(ThemeBitmap::kButton), nullptr);
  EXPECT_EQ(theme.GetThemeColor(ThemeColor::kFormColor), 0);
  EXPECT_EQ(theme.GetThemeInt(ThemeInt::kTitleBarButtonPosY), 0);
  EXPECT_FALSE(theme.GetThemeBool(ThemeBool::kButtonTrans));
  fw::Bitmap target(3, 4);
  EXPECT_FALSE(theme.GetThemeFrame(ThemeBitmap::kButton, target, 1, 3));
  EXPECT_EQ(target.Width(), 3);
  EXPECT_EQ(ResolveStyle(&theme, TsuiUIStyle::FromThemeFile),
            (ResolvedStyle{false, TsuiUIStyle::DeepBlue}));
  EXPECT_EQ(ResolveStyle(&theme, TsuiUIStyle::Protein),
            (ResolvedStyle{false, TsuiUIStyle::Protein}));
  EXPECT_EQ(fw::GetProperty(theme, "ThemeFile").text, "");
  EXPECT_EQ(fw::GetProperty(theme, "Password").text, "");
  EXPECT_FALSE(fw::ValueToBool(fw::GetProperty(theme, "Ready")));
}

TEST(FileThemeTest, ALoadedSkinAnswersItsItemsAndMinusOneOrNothingForTheOthers) {
  ScratchFolder folder;
  const std::string path = folder.Write("small.skn", SmallSkin{}.Build());
  TsuiFileTheme theme(nullptr);
  fw::SetProperty(theme, "ThemeFile", fw::Value::String(path));
  ASSERT_TRUE(theme.Ready());
  EXPECT_EQ(theme.ThemeFile(), path);
  EXPECT_EQ(ResolveStyle(&theme, TsuiUIStyle::FromThemeFile),
            (ResolvedStyle{true, TsuiUIStyle::FromThemeFile}));
  EXPECT_EQ(ResolveStyle(&theme, TsuiUIStyle::WinXP), (ResolvedStyle{false, TsuiUIStyle::WinXP}));

  EXPECT_EQ(theme.GetThemeColor(ThemeColor::kFormColor), Rgb(10, 20, 30));
  EXPECT_EQ(theme.GetThemeInt(ThemeInt::kTitleBarButtonPosY), 7);
  EXPECT_TRUE(theme.GetThemeBool(ThemeBool::kButtonTrans));
  const auto button = theme.GetThemeBitmap(ThemeBitmap::kButton);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->Width(), 232);
  EXPECT_EQ(button->Height(), 5);
  EXPECT_EQ(button->GetPixel(31, 2), testing::Strip(232, 5).GetPixel(31, 2));
  // Decoded once per load.
  EXPECT_EQ(theme.GetThemeBitmap(ThemeBitmap::kButton), button);

  EXPECT_EQ(theme.GetThemeColor(ThemeColor::kTitleFontColor), -1);
  EXPECT_EQ(theme.GetThemeInt(ThemeInt::kTitleBarIconPosX), -1);
  EXPECT_FALSE(theme.GetThemeBool(ThemeBool::kTitleFiveSect));
  EXPECT_EQ(theme.GetThemeBitmap(ThemeBitmap::kTrackBar), nullptr);
  fw::Bitmap untouched(2, 2);
  EXPECT_FALSE(theme.GetThemeFrame(ThemeBitmap::kTrackBar, untouched, 0, 0));
  EXPECT_EQ(untouched.Width(), 2);
  // Positions outside the enumerations are missing items, not crashes.
  EXPECT_EQ(theme.GetThemeBitmap(ThemeBitmap(kThemeBitmapCount)), nullptr);
  EXPECT_EQ(theme.GetThemeBitmap(ThemeBitmap(-1)), nullptr);
  EXPECT_EQ(theme.GetThemeColor(ThemeColor(kThemeColorCount)), -1);
}

TEST(FileThemeTest, FramesAreCutSideBySideWithTheLastTakenFromTheRightEdge) {
  ScratchFolder folder;
  TsuiFileTheme theme(nullptr);
  theme.SetThemeFile(folder.Write("small.skn", SmallSkin{}.Build()));
  ASSERT_TRUE(theme.Ready());
  fw::Bitmap frame;
  ASSERT_TRUE(theme.GetThemeFrame(ThemeBitmap::kButton, frame, 1, 3));
  EXPECT_EQ(frame.Width(), 77);
  EXPECT_EQ(frame.Height(), 5);
  EXPECT_EQ(StripColumn(frame), 0);
  ASSERT_TRUE(theme.GetThemeFrame(ThemeBitmap::kButton, frame, 2, 3));
  EXPECT_EQ(StripColumn(frame), 77);
  ASSERT_TRUE(theme.GetThemeFrame(ThemeBitmap::kButton, frame, 3, 3));
  EXPECT_EQ(frame.Width(), 77);
  EXPECT_EQ(StripColumn(frame), 155);
  // Either number 0: the whole picture.
  ASSERT_TRUE(theme.GetThemeFrame(ThemeBitmap::kButton, frame, 0, 3));
  EXPECT_EQ(frame.Width(), 232);
  ASSERT_TRUE(theme.GetThemeFrame(ThemeBitmap::kButton, frame, 2, 0));
  EXPECT_EQ(frame.Width(), 232);
  // Frames that do not exist leave the target alone.
  fw::Bitmap kept(1, 1);
  EXPECT_FALSE(theme.GetThemeFrame(ThemeBitmap::kButton, kept, 4, 3));
  EXPECT_FALSE(theme.GetThemeFrame(ThemeBitmap::kButton, kept, -1, 3));
  EXPECT_FALSE(theme.GetThemeFrame(ThemeBitmap::kButton, kept, 1, -3));
  EXPECT_EQ(kept.Width(), 1);
}

TEST(FileThemeTest, OnlyALoadDecidesReadiness) {
  TsuiFileTheme theme(nullptr);
  fw::SetProperty(theme, "Ready", fw::Value::Bool(true));
  EXPECT_FALSE(theme.Ready());
  ScratchFolder folder;
  theme.SetThemeFile(folder.Write("small.skn", SmallSkin{}.Build()));
  ASSERT_TRUE(theme.Ready());
  fw::SetProperty(theme, "Ready", fw::Value::Bool(false));
  EXPECT_TRUE(theme.Ready());
  EXPECT_THROW(fw::SetProperty(theme, "Ready", fw::Value::String("maybe")), fw::Exception);
}

TEST(FileThemeTest, APathThatNamesNoFileChangesNothing) {
  ScratchFolder folder;
  TsuiFileTheme theme(nullptr);
  theme.SetSearchFolders({folder.Path()});
  theme.SetThemeFile(folder.File("nowhere.skn"));
  EXPECT_EQ(theme.ThemeFile(), "");
  EXPECT_FALSE(theme.Ready());

  const std::string path = folder.Write("small.skn", SmallSkin{}.Build());
  theme.SetThemeFile(path);
  ASSERT_TRUE(theme.Ready());
  for (const std::string& gone : {std::string("/gone/nowhere.skn"), std::string(""),
                                  folder.Path() + "/", folder.File("sub/")}) {
    theme.SetThemeFile(gone);
    EXPECT_EQ(theme.ThemeFile(), path) << gone;
    EXPECT_TRUE(theme.Ready()) << gone;
    EXPECT_EQ(theme.GetThemeColor(ThemeColor::kFormColor), Rgb(10, 20, 30));
  }
}

TEST(FileThemeTest, AnUnreadableSkinAfterAGoodOneLeavesTheThemeNotReadyAndEmpty) {
  ScratchFolder folder;
  TsuiFileTheme theme(nullptr);
  const std::vector<uint8_t> good = SmallSkin{}.Build();
  std::vector<uint8_t> zip_signature = good;
  zip_signature[0] = 'P';
  zip_signature[1] = 'K';
  std::vector<uint8_t> cut(good.begin(), good.begin() + ptrdiff_t(good.size() / 2));
  const std::vector<std::vector<uint8_t>> bad = {zip_signature, cut, {'S', 'K'}, {}};
  for (size_t i = 0; i < bad.size(); ++i) {
    theme.SetThemeFile(folder.Write("good.skn", good));
    ASSERT_TRUE(theme.Ready());
    const std::string path = folder.Write("bad" + std::to_string(i) + ".skn", bad[i]);
    theme.SetThemeFile(path);
    EXPECT_FALSE(theme.Ready()) << i;
    EXPECT_EQ(theme.ThemeFile(), path);
    EXPECT_EQ(theme.GetThemeColor(ThemeColor::kFormColor), 0) << i;
    EXPECT_EQ(theme.GetThemeBitmap(ThemeBitmap::kButton), nullptr) << i;
    EXPECT_EQ(ResolveStyle(&theme, TsuiUIStyle::FromThemeFile),
              (ResolvedStyle{false, TsuiUIStyle::DeepBlue}));
  }
}

TEST(FileThemeTest, AFileNotFoundAtItsPathIsLookedForByNameInTheSearchFoldersInOrder) {
  ScratchFolder program, system;
  TsuiFileTheme theme(nullptr);
  theme.SetSearchFolders({program.Path(), system.Path()});
  SmallSkin in_system;
  in_system.form_colour = Rgb(1, 2, 3);
  system.Write("shared.skn", in_system.Build());
  theme.SetThemeFile("C:\\Skins\\shared.skn");
  ASSERT_TRUE(theme.Ready());
  // Joined to the folder as the search joins names, on Windows too.
  EXPECT_EQ(theme.ThemeFile(), system.Path() + "/shared.skn");
  EXPECT_EQ(theme.GetThemeColor(ThemeColor::kFormColor), Rgb(1, 2, 3));

  SmallSkin in_program;
  in_program.form_colour = Rgb(4, 5, 6);
  program.Write("shared.skn", in_program.Build());
  theme.SetThemeFile("/elsewhere/shared.skn");
  EXPECT_EQ(theme.ThemeFile(), program.Path() + "/shared.skn");
  EXPECT_EQ(theme.GetThemeColor(ThemeColor::kFormColor), Rgb(4, 5, 6));
}

TEST(FileThemeTest, TheProgramFolderIsSearchedFirstByDefault) {
  platform::Services services;
  services.program_dir = "/opt/somnara-test";
  platform::Install(services);
  const std::vector<std::string> folders = DefaultThemeSearchFolders();
  TsuiFileTheme theme(nullptr);
  platform::Install({});
  ASSERT_EQ(folders.size(), 3u);
  EXPECT_EQ(folders[0], "/opt/somnara-test");
  EXPECT_EQ(theme.SearchFolders(), folders);
  for (const std::string& f : folders) EXPECT_FALSE(f.empty());
}

TEST(FileThemeTest, APasswordReloadsAnEncipheredSkinButAnEmptyOneDoesNot) {
  ScratchFolder folder;
  SmallSkin locked;
  locked.password = "moon";
  locked.form_colour = Rgb(200, 100, 50);
  const std::string path = folder.Write("locked.skn", locked.Build());
  TsuiFileTheme theme(nullptr);
  theme.SetThemeFile(path);
  EXPECT_FALSE(theme.Ready());
  EXPECT_EQ(theme.ThemeFile(), path);
  fw::SetProperty(theme, "Password", fw::Value::String("sun"));
  EXPECT_FALSE(theme.Ready());
  fw::SetProperty(theme, "Password", fw::Value::String("moon"));
  ASSERT_TRUE(theme.Ready());
  EXPECT_EQ(theme.GetThemeColor(ThemeColor::kFormColor), Rgb(200, 100, 50));

  // The file changes on disk; an empty password keeps what was read, a new one rereads it
  // (a skin that is not enciphered reads whatever the password).
  SmallSkin open;
  open.form_colour = Rgb(9, 9, 9);
  folder.Write("locked.skn", open.Build());
  theme.SetPassword("");
  EXPECT_EQ(theme.Password(), "");
  EXPECT_TRUE(theme.Ready());
  EXPECT_EQ(theme.GetThemeColor(ThemeColor::kFormColor), Rgb(200, 100, 50));
  theme.SetPassword("anything");
  EXPECT_TRUE(theme.Ready());
  EXPECT_EQ(theme.GetThemeColor(ThemeColor::kFormColor), Rgb(9, 9, 9));
}

TEST(FileThemeMgrTest, AMissingFileKeepsTheReaderAndAnUnreadableOneDropsIt) {
  ScratchFolder folder;
  const std::string good = folder.Write("good.skn", SmallSkin{}.Build());
  const std::string bad = folder.Write("bad.skn", {'S', 'K', 1, 2, 3});
  TsuiFileThemeMgr mgr;
  EXPECT_FALSE(mgr.HasReader());
  EXPECT_FALSE(mgr.ThemeLoad(folder.File("none.skn"), ""));
  EXPECT_FALSE(mgr.HasReader());

  ASSERT_TRUE(mgr.ThemeLoad(good, ""));
  ASSERT_TRUE(mgr.HasReader());
  EXPECT_EQ(mgr.Reader()->Items().BitmapCount(), 1u);
  EXPECT_EQ(mgr.Reader()->Items().IntegerCount(), 2u);
  EXPECT_EQ(mgr.Reader()->Items().ByteCount(), 1u);
  const auto picture = mgr.GetThemeBitmap(ThemeBitmap::kButton);
  ASSERT_NE(picture, nullptr);

  EXPECT_FALSE(mgr.ThemeLoad(folder.File("none.skn"), ""));
  EXPECT_TRUE(mgr.HasReader());
  EXPECT_EQ(mgr.GetThemeBitmap(ThemeBitmap::kButton), picture);
  EXPECT_EQ(mgr.GetThemeInt(ThemeInt::kTitleBarButtonPosY), 7);

  EXPECT_FALSE(mgr.ThemeLoad(bad, ""));
  EXPECT_FALSE(mgr.HasReader());
  EXPECT_EQ(mgr.GetThemeBitmap(ThemeBitmap::kButton), nullptr);
  EXPECT_EQ(mgr.GetThemeInt(ThemeInt::kTitleBarButtonPosY), 0);
  // A picture handed out earlier outlives its reader.
  EXPECT_EQ(picture->Width(), 232);

  SmallSkin wider;
  wider.button_width = 90;
  const std::vector<uint8_t> bytes = wider.Build();
  ASSERT_TRUE(mgr.ThemeLoadBytes(bytes, ""));
  ASSERT_NE(mgr.GetThemeBitmap(ThemeBitmap::kButton), nullptr);
  EXPECT_EQ(mgr.GetThemeBitmap(ThemeBitmap::kButton)->Width(), 90);
}

}  // namespace
}  // namespace somnara::skin
