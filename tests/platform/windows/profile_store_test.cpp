#include <gtest/gtest.h>

#include <cerrno>

#include "platform/windows/system/windows_ini_profile_store.h"
#include "platform/windows/system/windows_settings_folder.h"
#include "windows_temp_folder.h"

namespace somnara::platform {
namespace {

using testing::ReadBytes;
using testing::WindowsTempFolder;
using testing::WriteBytes;

TEST(WindowsProfileStoreTest, WriteReplacesTheWholeFileAndLeavesNothingBehind) {
  WindowsTempFolder folder;
  const std::string path = folder.File("option.ini");
  WriteBytes(path, "; kept\r\n[Option]\r\nmusic=2\r\n");
  // What a writer killed before its move left, and what a running one is writing.
  const std::string dead = WindowsIniProfileStore::TempPath(path, 0xFFFFFFF0ul, 1);
  const std::string running = WindowsIniProfileStore::TempPath(path, GetCurrentProcessId(), 999);
  WriteBytes(dead, "torn");
  WriteBytes(running, "busy");
  SetFileAttributesW(std::filesystem::path(path).c_str(), FILE_ATTRIBUTE_HIDDEN);

  WindowsIniProfileStore store;
  ASSERT_TRUE(store.WriteString("Option", "vol", "1", path).ok);
  ASSERT_TRUE(store.WriteString("option", "music", "5", path).ok);

  EXPECT_EQ(ReadBytes(path), "; kept\r\n[Option]\r\nmusic=5\r\nvol=1\r\n");
  EXPECT_EQ(store.ReadString("Option", "music", "0", path), "5");
  EXPECT_EQ(store.ReadString("Option", "fout", "dflt", path), "dflt");
  EXPECT_TRUE(GetFileAttributesW(std::filesystem::path(path).c_str()) & FILE_ATTRIBUTE_HIDDEN);
  // Only the file itself and the running writer's temporary remain.
  EXPECT_EQ(folder.Names(),
            ".option.ini." + std::to_string(GetCurrentProcessId()) + ".999.tmp option.ini");
}

TEST(WindowsProfileStoreTest, FailedWritesSayWhyAndChangeNothing) {
  WindowsTempFolder folder;
  WindowsIniProfileStore store;
  const std::string path = folder.File("option.ini");
  WriteBytes(path, "[Option]\nmusic=2\n");
  SetFileAttributesW(std::filesystem::path(path).c_str(), FILE_ATTRIBUTE_READONLY);

  ProfileWriteResult result = store.WriteString("Option", "music", "3", path);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, EACCES);
  EXPECT_EQ(ReadBytes(path), "[Option]\nmusic=2\n");

  result = store.WriteString("Option", "music", "3", folder.File("missing\\option.ini"));
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, ENOENT);
  EXPECT_EQ(store.WriteString("Option", "music", "3\r\nexe=4", folder.File("new.ini")).error,
            EINVAL);
  EXPECT_EQ(folder.Names(), "option.ini");
}

TEST(WindowsSettingsFolderTest, ProgramFolderWhileItTakesTheFileElseTheUsersFolder) {
  WindowsTempFolder program;
  WindowsSettingsFolder folders(program.path());
  EXPECT_EQ(folders.Locate("option.ini"), program.path());
  EXPECT_EQ(program.Names(), "");  // looking made nothing

  WriteBytes(program.File("option.ini"), "");
  SetFileAttributesW(std::filesystem::path(program.File("option.ini")).c_str(),
                     FILE_ATTRIBUTE_READONLY);
  const std::string elsewhere = folders.Locate("option.ini");
  EXPECT_TRUE(elsewhere.ends_with("\\Somnara")) << elsewhere;
  EXPECT_EQ(folders.Create(program.File("a\\b")), 0);
  EXPECT_TRUE(std::filesystem::is_directory(program.File("a\\b")));
}

}  // namespace
}  // namespace somnara::platform
