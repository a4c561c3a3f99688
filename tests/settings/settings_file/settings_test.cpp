#include "settings/settings.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <filesystem>

#include "disk_profile_store.h"
#include "framework/exceptions.h"
#include "framework/file_path.h"
#include "platform/headless/recording_profile_store.h"
#include "platform/platform.h"
#include "temp_folder.h"

namespace somnara::settings {
namespace {

using platform::RecordingProfileStore;
using somnara::testing::ReadBytes;
using somnara::testing::TempFolder;
using somnara::testing::WriteBytes;
using Kind = RecordingProfileStore::Call::Kind;

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = platform::Current();
    platform::Install({.profiles = &recorder_, .program_dir = folder_.path()});
  }
  void TearDown() override { platform::Install(saved_); }

  std::string path() const { return folder_.File("option.ini"); }

  TempFolder folder_;
  testing::DiskProfileStore store_;
  RecordingProfileStore recorder_{store_};
  platform::Services saved_;
};

TEST_F(SettingsTest, FreshInstallationReadsDefaultsAndFirstWriteCreatesTheFile) {
  EXPECT_EQ(SettingsFilePath(), folder_.path() + "/option.ini");
  {
    Settings settings(SettingsFilePath());
    EXPECT_EQ(settings.Read(kProposedPlayMinutes), "30");
    EXPECT_EQ(settings.Read(kPlayMinutes), "25");
    EXPECT_TRUE(settings.Read(kFadeOut));
    EXPECT_EQ(settings.Read(kFinishCommand), 3);
    EXPECT_EQ(settings.Read(kMusic), 0);
  }
  EXPECT_FALSE(std::filesystem::exists(path()));

  // One pass through the wizard without changing anything.
  {
    Settings settings(SettingsFilePath());
    settings.Write(kMusic, 0);
    settings.Write(kVolume, 100);
  }
  {
    Settings settings(SettingsFilePath());
    settings.Write(kPlayMinutes, "30");
    settings.Write(kFadeOut, true);
    settings.Write(kFinishCommand, 3);
  }
  EXPECT_EQ(ReadBytes(path()), "[Option]\nmusic=0\nvolume=100\nvol=30\nfout=1\nexe=3\n");
  EXPECT_EQ(recorder_.calls().back(),
            (RecordingProfileStore::Call{Kind::kWrite, "Option", "exe", "3", path()}));
}

TEST_F(SettingsTest, IntegersFollowTheHexadecimalRuleAndFallBackOnAnythingElse) {
  const std::vector<std::pair<std::string, int32_t>> cases = {
      {"0x2", 2},
      {"0X1f", 31},
      {"45", 45},
      {" 12 ", 12},
      {"-1", -1},
      {"+4", 4},
      {"007", 7},
      {"2147483647", INT32_MAX},
      {"-2147483648", INT32_MIN},
      {"0x7FFFFFFF", INT32_MAX},
      {"abc", 3},
      {"0x", 3},
      {"0xg", 3},
      {"0x-1", 3},
      {"0x+1", 3},
      {"2147483648", 3},
      {"-2147483649", 3},
      {"0x80000000", 3},
      {"99999999999999999999", 3},
      {"1 2", 3},
      {"", 3},
      {"1.5", 3},
      {"--1", 3},
      {"+-1", 3},
      {"-", 3},
      {"12abc", 3},
  };
  for (const auto& [text, expected] : cases) {
    WriteBytes(path(), "[Option]\nexe=" + text + "\n");
    EXPECT_EQ(Settings(SettingsFilePath()).ReadInteger(kOptionSection, kFinishCommand.key, 3),
              expected)
        << "exe=" << text;
  }
}

TEST_F(SettingsTest, BooleansAreAnyNonZeroNumber) {
  const std::vector<std::tuple<std::string, bool, bool>> cases = {
      {"7", false, true}, {"-1", false, true},  {"0", true, false},   {"1", false, true},
      {"no", true, true}, {"no", false, false}, {"0x0", true, false}, {"", false, false},
  };
  for (const auto& [text, fallback, expected] : cases) {
    WriteBytes(path(), "[Option]\nfout=" + text + "\n");
    EXPECT_EQ(Settings(SettingsFilePath()).ReadBool(kOptionSection, kFadeOut.key, fallback),
              expected)
        << "fout=" << text << " default " << fallback;
  }
}

TEST_F(SettingsTest, TextsAndIndicesComeBackAsWritten) {
  Settings settings(SettingsFilePath());
  settings.WriteString(kOptionSection, kPlayMinutes.key, "abc");
  settings.WriteInteger(kOptionSection, kMusic.key, -1);
  EXPECT_EQ(settings.ReadString(kOptionSection, kPlayMinutes.key, "25"), "abc");
  EXPECT_EQ(settings.ReadInteger(kOptionSection, kMusic.key, 0), -1);

  WriteBytes(path(), "[Option]\nmusic=4\nvol=45\n");
  EXPECT_EQ(settings.ReadString(kOptionSection, kPlayMinutes.key, "25"), "45");
  EXPECT_EQ(settings.ReadString(kOptionSection, kPlayMinutes.key, "30"), "45");
  settings.WriteString(kOptionSection, kPlayMinutes.key, std::string(3000, '9'));
  EXPECT_EQ(settings.ReadString(kOptionSection, kPlayMinutes.key, "25").size(), 2047u);
  EXPECT_EQ(settings.ReadInteger(kOptionSection, kMusic.key, 0), 4);
}

TEST_F(SettingsTest, RefusedWriteNamesTheFullPathAndStopsTheGroup) {
  platform::Current().program_dir = folder_.File("gone");
  std::string missing = SettingsFilePath();
  try {
    Settings(missing).WriteInteger(kOptionSection, kMusic.key, 2);
    FAIL() << "no error raised";
  } catch (const fw::FileError& error) {
    EXPECT_EQ(std::string(error.what()), "Unable to write to " + fw::ShownPath(missing));
#ifdef _WIN32
    EXPECT_EQ(std::string(error.what()).find('/'), std::string::npos) << error.what();
#endif
  }

  // The second write of a group fails: the first stays written, the third never happens.
  platform::Current().program_dir = folder_.path();
  recorder_.RefuseWritesAfter(1, EROFS);
  auto step2 = [] {
    Settings settings(SettingsFilePath());
    settings.WriteInteger(kOptionSection, kMusic.key, 5);
    settings.WriteInteger(kOptionSection, kVolume.key, 80);
    settings.WriteString(kOptionSection, kPlayMinutes.key, "10");
  };
  EXPECT_THROW(step2(), fw::FileError);
  EXPECT_EQ(ReadBytes(path()), "[Option]\nmusic=5\n");
  EXPECT_EQ(recorder_.calls().size(), 3u);  // one failed write in the first group, two here
}

}  // namespace
}  // namespace somnara::settings
