#include "platform/linux/system/ini_profile_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <filesystem>
#include <random>

#include "temp_folder.h"

namespace somnara::platform {
namespace {

using somnara::testing::ReadBytes;
using somnara::testing::TempFolder;
using somnara::testing::WriteBytes;

class IniProfileStoreTest : public ::testing::Test {
 protected:
  std::string Read(const std::string& section, const std::string& key,
                   const std::string& fallback = "<default>") {
    return store_.ReadString(section, key, fallback, path_);
  }
  ProfileWriteResult Write(const std::string& section, const std::string& key,
                           const std::string& value) {
    return store_.WriteString(section, key, value, path_);
  }
  std::vector<std::string> FolderEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_.path())) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

  TempFolder folder_;
  std::string path_ = folder_.File("option.ini");
  IniProfileStore store_;
};

TEST_F(IniProfileStoreTest, NamesMatchWithoutCaseAndBlanks) {
  WriteBytes(path_, "[ option ]\n\t VOL  =  45 \t\n");
  EXPECT_EQ(Read("Option", "vol"), "45");
  EXPECT_EQ(Read(" OPTION ", " Vol "), "45");
}

TEST_F(IniProfileStoreTest, MissingFileSectionOrKeyGivesDefault) {
  EXPECT_EQ(Read("Option", "vol", "30"), "30");
  WriteBytes(path_, "vol=1\n[Other]\nvol=2\n[Option]\nexe=3\n");
  EXPECT_EQ(Read("Option", "vol", "25"), "25");  // neither before the first section nor in another
  EXPECT_EQ(Read("Missing", "exe", "x"), "x");
  EXPECT_EQ(Read("Option", "", "x"), "x");
  EXPECT_EQ(Read("", "exe", "x"), "x");
}

TEST_F(IniProfileStoreTest, FirstSectionAndFirstKeyWin) {
  WriteBytes(path_, "[Option]\nvol=1\nVOL=2\n[OPTION]\nvol=3\nexe=4\n");
  EXPECT_EQ(Read("Option", "vol"), "1");
  EXPECT_EQ(Read("Option", "exe"), "<default>");
}

TEST_F(IniProfileStoreTest, ReadsOddButCommonLayouts) {
  WriteBytes(path_,
             "\xEF\xBB\xBF[Option]\r\n"
             "; vol=9\r\n"
             "a line without an equals sign\r\n"
             "=orphan value\r\n"
             "empty=\r\n"
             "eq=b=c\r\n"
             "[Option] trailing words\r\n"
             "[Second]   ; comment\r\n"
             "last=unterminated");
  EXPECT_EQ(Read("Option", "vol"), "<default>");
  EXPECT_EQ(Read("Option", "empty"), "");
  EXPECT_EQ(Read("Option", "eq"), "b=c");
  EXPECT_EQ(Read("Second", "last"), "unterminated");
}

TEST_F(IniProfileStoreTest, ClipsLongValuesAndSurvivesNulAndGarbage) {
  std::mt19937 random(20240611);
  std::string garbage(1 << 20, '\0');
  for (char& c : garbage) c = char(random());
  WriteBytes(path_, garbage + "\n[Option]\nlong=" + std::string(5000, 'x') + "\nnul=4" +
                        std::string(1, '\0') + "5\n" + garbage);
  EXPECT_EQ(Read("Option", "long"), std::string(ProfileStore::kMaxValueLength, 'x'));
  EXPECT_EQ(Read("Option", "nul"), "4");
  EXPECT_EQ(Read("Option", "none", std::string(3000, 'd')).size(), ProfileStore::kMaxValueLength);

  WriteBytes(path_, garbage);  // only garbage: whatever it reads, it does not crash
  (void)Read("Option", "vol");
  EXPECT_TRUE(Write("Option", "vol", "30").ok);
  EXPECT_EQ(Read("Option", "vol"), "30");
  EXPECT_EQ(ReadBytes(path_).substr(0, garbage.size()), garbage);
}

TEST_F(IniProfileStoreTest, ThingsThatAreNotSettingsFiles) {
  ASSERT_EQ(mkfifo(path_.c_str(), 0600), 0);  // reading must not wait for a writer
  EXPECT_EQ(Read("Option", "vol"), "<default>");
  EXPECT_EQ(Write("Option", "vol", "1").error, EINVAL);
  unlink(path_.c_str());

  ASSERT_EQ(mkdir(path_.c_str(), 0700), 0);
  EXPECT_EQ(Read("Option", "vol"), "<default>");
  EXPECT_EQ(Write("Option", "vol", "1").error, EISDIR);
  rmdir(path_.c_str());

  WriteBytes(path_, "[Option]\nvol=1\n");
  ASSERT_EQ(truncate(path_.c_str(), IniProfileStore::kMaxFileBytes + 1), 0);  // sparse
  EXPECT_EQ(Read("Option", "vol"), "<default>");
  EXPECT_EQ(Write("Option", "vol", "2").error, EFBIG);
  EXPECT_EQ(std::filesystem::file_size(path_), std::uintmax_t(IniProfileStore::kMaxFileBytes + 1));
}

TEST_F(IniProfileStoreTest, WriteCreatesFileAndSection) {
  ASSERT_TRUE(Write("Option", "music", "0").ok);
  EXPECT_EQ(ReadBytes(path_), "[Option]\nmusic=0\n");
  ASSERT_TRUE(Write("Option", "volume", " 100 ").ok);
  EXPECT_EQ(Read("option", "VOLUME"), "100");

  WriteBytes(path_, "[Other]\r\nx=1");  // no line end after the last line
  ASSERT_TRUE(Write("Option", "vol", "30").ok);
  EXPECT_EQ(ReadBytes(path_), "[Other]\r\nx=1\r\n[Option]\r\nvol=30\r\n");
}

TEST_F(IniProfileStoreTest, WriteChangesOneLineAndKeepsEverythingElse) {
  const std::string before =
      "\xEF\xBB\xBF; settings\r\n"
      "[Other]\r\n"
      "vol=other\r\n"
      "\r\n"
      "[ OPTION ]\r\n"
      "music=2\r\n"
      "  Vol = 45  \r\n"
      "garbage line\r\n"
      "\r\n"
      "; about the next section\r\n"
      "[option]\r\n"
      "exe=1\r\n";
  WriteBytes(path_, before);
  ASSERT_TRUE(Write("Option", "vol", "60").ok);
  std::string expected = before;
  expected.replace(expected.find("  Vol = 45  "), 12, "vol=60");
  EXPECT_EQ(ReadBytes(path_), expected);

  // A new key follows the section's last entry, not the blank lines and comment after it;
  // the duplicate section further down is left alone.
  ASSERT_TRUE(Write("Option", "exe", "3").ok);
  expected.insert(expected.find("garbage line\r\n") + 14, "exe=3\r\n");
  EXPECT_EQ(ReadBytes(path_), expected);
  EXPECT_EQ(Read("Option", "exe"), "3");

  WriteBytes(path_, "[Option]\n[Next]\n");
  ASSERT_TRUE(Write("Option", "fout", "1").ok);
  EXPECT_EQ(ReadBytes(path_), "[Option]\nfout=1\n[Next]\n");
}

TEST_F(IniProfileStoreTest, RefusesWhatCouldNotBeReadBack) {
  WriteBytes(path_, "[Option]\nvol=30\n");
  for (auto [section, key, value] : std::vector<std::array<std::string, 3>>{
           {"Option", "vol", "30\n[Evil]\nx=1"},
           {"Option", "vol", std::string("3\0", 2)},
           {"Option", "vol", "30\r"},
           {"Option", "a=b", "1"},
           {"Option", " ", "1"},
           {"Option", "[vol", "1"},
           {"Option", ";vol", "1"},
           {"", "vol", "1"},
       }) {
    ProfileWriteResult result = Write(section, key, value);
    EXPECT_FALSE(result.ok) << section << "/" << key;
    EXPECT_EQ(result.error, EINVAL);
  }
  EXPECT_EQ(ReadBytes(path_), "[Option]\nvol=30\n");
}

TEST_F(IniProfileStoreTest, KeepsPermissionsAndLinksAndLeavesNoTemporaryFiles) {
  mode_t old_mask = umask(027);
  ASSERT_TRUE(Write("Option", "vol", "1").ok);
  umask(old_mask);
  struct stat info {};
  ASSERT_EQ(stat(path_.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);

  ASSERT_EQ(chmod(path_.c_str(), 0604), 0);
  ASSERT_TRUE(Write("Option", "vol", "2").ok);
  ASSERT_EQ(stat(path_.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0604u);

  std::string link = folder_.File("link.ini");
  ASSERT_EQ(symlink("option.ini", link.c_str()), 0);
  ASSERT_TRUE(store_.WriteString("Option", "vol", "3", link).ok);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(Read("Option", "vol"), "3");

  IniProfileStore named({.unnamed_temp_files = false});
  for (int i = 0; i < 10; ++i) {
    ASSERT_TRUE(store_.WriteString("Option", "k" + std::to_string(i), "v", path_).ok);
    ASSERT_TRUE(named.WriteString("Option", "n" + std::to_string(i), "v", path_).ok);
  }
  std::vector<std::string> entries = FolderEntries();
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, (std::vector<std::string>{"link.ini", "option.ini"}));
}

TEST_F(IniProfileStoreTest, UnwritablePlacesFailWithReason) {
  std::string nowhere = folder_.File("missing/option.ini");
  ProfileWriteResult result = store_.WriteString("Option", "vol", "1", nowhere);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, ENOENT);
  EXPECT_FALSE(std::filesystem::exists(folder_.File("missing")));

  WriteBytes(folder_.File("plain"), "x");
  EXPECT_EQ(store_.WriteString("Option", "vol", "1", folder_.File("plain/option.ini")).error,
            ENOTDIR);
  EXPECT_EQ(ReadBytes(folder_.File("plain")), "x");
}

}  // namespace
}  // namespace somnara::platform
