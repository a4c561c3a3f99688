#include "skin/theme/skin_theme_data.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "skin/archive/skin_test_data.h"
#include "skin/theme/skin_file_error.h"
#include "skin/theme/skin_file_names.h"
#include "skinwriter/skin_container_writer.h"

namespace somnara::skin {
namespace {

using testing::ArchiveOf;
using testing::StripedBmp;

// A small skin: a 232-pixel strip for the button, one colour, one number, one switch.
std::vector<uint8_t> SmallSkin(int32_t form_colour = 0x00CAE5ED) {
  skinwriter::SkinContainerWriter writer;
  writer.AddBitmap("SKIN2_BUTTON", StripedBmp(232, 4));
  writer.AddInteger("skin2_formcolor", form_colour);
  writer.AddInteger("SKIN2_TITLEBARBUTTONPOSY", 10);
  writer.AddByte("SKIN2_BUTTONTRANS", 1);
  return ArchiveOf(writer.Build());
}

class TempFolder {
 public:
  TempFolder()
      : path_(std::filesystem::temp_directory_path() /
              ("skin_theme_test_" + std::to_string(std::random_device()()))) {
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() { std::filesystem::remove_all(path_); }
  std::filesystem::path Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    const auto file = path_ / name;
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return file;
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

TEST(SkinThemeData, AnswersWithoutAReader) {
  const SkinThemeData theme;
  EXPECT_FALSE(theme.HasReader());
  EXPECT_FALSE(theme.GetThemeBitmap(ThemeBitmap::kButton));
  EXPECT_EQ(theme.GetThemeColor(ThemeColor::kFormColor), 0);
  EXPECT_EQ(theme.GetThemeInt(ThemeInt::kTitleBarButtonPosY), 0);
  EXPECT_FALSE(theme.GetThemeBool(ThemeBool::kButtonTrans));
  EXPECT_FALSE(theme.GetThemeFrame(ThemeBitmap::kButton, 0, 0));
}

TEST(SkinThemeData, AnswersForPresentAndMissingItems) {
  SkinThemeData theme;
  ASSERT_TRUE(theme.ThemeLoadBytes(SmallSkin(), ""));
  EXPECT_EQ(theme.GetThemeColor(ThemeColor::kFormColor), 0x00CAE5ED);
  EXPECT_EQ(theme.GetThemeInt(ThemeInt::kTitleBarButtonPosY), 10);
  EXPECT_TRUE(theme.GetThemeBool(ThemeBool::kButtonTrans));
  EXPECT_TRUE(theme.GetThemeBitmap(ThemeBitmap::kButton));
  // Items the skin lacks.
  EXPECT_EQ(theme.GetThemeColor(ThemeColor::kTransColor), -1);
  EXPECT_EQ(theme.GetThemeInt(ThemeInt::kTitleBarIconPosX), -1);
  EXPECT_FALSE(theme.GetThemeBool(ThemeBool::kTitleBtnTrans));
  EXPECT_FALSE(theme.GetThemeBitmap(ThemeBitmap::kTrackBar));
  EXPECT_FALSE(theme.GetThemeFrame(ThemeBitmap::kTrackBar, 1, 3));
  // Positions outside the enumerations name nothing.
  EXPECT_EQ(theme.GetThemeColor(ThemeColor(kThemeColorCount)), -1);
  EXPECT_EQ(theme.GetThemeInt(ThemeInt(-1)), -1);
}

TEST(SkinThemeData, FramesAreCutFromTheLeftExceptTheLast) {
  SkinThemeData theme;
  ASSERT_TRUE(theme.ThemeLoadBytes(SmallSkin(), ""));
  const auto whole = theme.GetThemeFrame(ThemeBitmap::kButton, 0, 0);
  ASSERT_TRUE(whole);
  EXPECT_EQ(whole->left, 0);
  EXPECT_EQ(whole->width, 232);
  EXPECT_EQ(whole->height, 4);
  EXPECT_EQ(theme.GetThemeFrame(ThemeBitmap::kButton, 3, 0)->width, 232);
  const auto first = theme.GetThemeFrame(ThemeBitmap::kButton, 1, 3);
  const auto second = theme.GetThemeFrame(ThemeBitmap::kButton, 2, 3);
  const auto last = theme.GetThemeFrame(ThemeBitmap::kButton, 3, 3);
  ASSERT_TRUE(first && second && last);
  EXPECT_EQ(first->left, 0);
  EXPECT_EQ(second->left, 77);
  EXPECT_EQ(last->left, 155);  // from the right edge: 155..231, not 154..230
  EXPECT_EQ(last->width, 77);
  EXPECT_EQ(last->bmp.data(), whole->bmp.data());
  EXPECT_FALSE(theme.GetThemeFrame(ThemeBitmap::kButton, 4, 3));
  EXPECT_FALSE(theme.GetThemeFrame(ThemeBitmap::kButton, -1, 3));
  EXPECT_FALSE(theme.GetThemeFrame(ThemeBitmap::kButton, 1, -3));
  // More frames than columns: frames of no width.
  EXPECT_EQ(theme.GetThemeFrame(ThemeBitmap::kButton, 300, 300)->width, 0);
}

TEST(SkinThemeData, LoadingFromFiles) {
  TempFolder folder;
  const auto good = folder.Write("good.skn", SmallSkin(1));
  const auto other = folder.Write("other.skn", SmallSkin(2));
  auto broken_bytes = SmallSkin();
  broken_bytes[0] = 'P';
  const auto broken = folder.Write("broken.skn", broken_bytes);

  SkinThemeData theme;
  ASSERT_TRUE(theme.ThemeLoad(good, ""));
  EXPECT_EQ(theme.GetThemeColor(ThemeColor::kFormColor), 1);
  // No file there: false, and the reader stays.
  EXPECT_FALSE(theme.ThemeLoad(folder.path() / "missing.skn", ""));
  EXPECT_FALSE(theme.ThemeLoad(folder.path(), ""));
  EXPECT_EQ(theme.GetThemeColor(ThemeColor::kFormColor), 1);
  // A new file replaces it.
  ASSERT_TRUE(theme.ThemeLoad(other, ""));
  EXPECT_EQ(theme.GetThemeColor(ThemeColor::kFormColor), 2);
  // A file that cannot be read drops it.
  EXPECT_FALSE(theme.ThemeLoad(broken, ""));
  EXPECT_FALSE(theme.HasReader());
  EXPECT_EQ(theme.GetThemeColor(ThemeColor::kFormColor), 0);
}

TEST(SkinThemeData, EncipheredSkinWithoutPasswordIsSilentlyNotReady) {
  skinwriter::SkinContainerWriter writer;
  writer.AddInteger("SKIN2_FORMCOLOR", 5);
  const auto archive = ArchiveOf(writer.Build(), {.password = "pw"});
  SkinThemeData theme;
  ASSERT_TRUE(theme.ThemeLoadBytes(archive, "pw"));
  EXPECT_FALSE(theme.ThemeLoadBytes(archive, ""));
  EXPECT_FALSE(theme.HasReader());
  // The reader itself raises nothing for it.
  const Tsk2SkinFileReader reader(archive, "");
  EXPECT_FALSE(reader.Ready());
  EXPECT_EQ(reader.Integer("SKIN2_FORMCOLOR"), -1);
}

TEST(SkinThemeData, ReaderRaisesForUnreadableSkins) {
  auto archive = SmallSkin();
  archive[1] = 'X';
  try {
    Tsk2SkinFileReader reader(archive, "");
    FAIL() << "no error raised";
  } catch (const SkinFileError& e) {
    EXPECT_STREQ(e.what(), "Failed to read skin file!");
  }
  // A sound archive around a damaged container is just as unreadable.
  auto container = std::vector<uint8_t>(30, 0);
  EXPECT_THROW(Tsk2SkinFileReader(ArchiveOf(container), ""), SkinFileError);
  EXPECT_THROW(Tsk2SkinFileReader(std::filesystem::path("/nonexistent/skin.skn"), ""),
               SkinFileError);
}

TEST(SkinFileNames, FileNamePartAcceptsBothSeparators) {
  EXPECT_EQ(SkinFileNamePart("C:\\Skins\\warm.skn"), "warm.skn");
  EXPECT_EQ(SkinFileNamePart("/usr/share/skins/warm.skn"), "warm.skn");
  EXPECT_EQ(SkinFileNamePart("warm.skn"), "warm.skn");
  EXPECT_EQ(SkinFileNamePart("skins/"), "");
  EXPECT_EQ(JoinSkinPath("/opt/somnara", "a.skn"), "/opt/somnara/a.skn");
  EXPECT_EQ(JoinSkinPath("/opt/somnara/", "a.skn"), "/opt/somnara/a.skn");
  EXPECT_EQ(JoinSkinPath("C:\\Skins\\", "a.skn"), "C:\\Skins\\a.skn");
}

TEST(SkinFileNames, FindThemeFileSearchesTheFoldersInOrder) {
  TempFolder root;
  std::filesystem::create_directories(root.path() / "program");
  std::filesystem::create_directories(root.path() / "system");
  std::filesystem::create_directories(root.path() / "other");
  const auto direct = root.Write("direct.skn", {1});
  root.Write("program/shared.skn", {1});
  root.Write("system/shared.skn", {1});
  root.Write("system/only_system.skn", {1});
  const std::vector<std::string> folders = {(root.path() / "other").string(),
                                            (root.path() / "program").string(),
                                            (root.path() / "system").string() + "/"};

  EXPECT_EQ(FindThemeFile(direct.string(), folders), direct.string());
  // The name is joined to the folder as JoinSkinPath does, on Windows too.
  EXPECT_EQ(FindThemeFile("D:\\gone\\shared.skn", folders), folders[1] + "/shared.skn");
  EXPECT_EQ(FindThemeFile("/gone/only_system.skn", folders), folders[2] + "only_system.skn");
  EXPECT_FALSE(FindThemeFile("/gone/nowhere.skn", folders));
  EXPECT_FALSE(FindThemeFile("/gone/", folders));
  // A folder of that name is not a skin file.
  EXPECT_FALSE(FindThemeFile("/gone/program", std::vector<std::string>{root.path().string()}));
  EXPECT_FALSE(FindThemeFile("/gone/shared.skn", {}));
}

}  // namespace
}  // namespace somnara::skin
