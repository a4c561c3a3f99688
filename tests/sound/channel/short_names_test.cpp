// Short paths on a case-sensitive file system, and their way back to the file.
#include "platform/linux/media/short_names.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/linux/media/linux_short_path_service.h"

namespace somnara::platform::short_names {
namespace {

namespace fs = std::filesystem;

TEST(ShortNameTest, EightDotThreeNamesOfAllowedCharactersAreShort) {
  for (const char* name : {"start.mid", "SNatural.dll", "A", "sound", "x~1.w", "a-b_c.$$$"}) {
    EXPECT_TRUE(IsShortName(name)) << name;
  }
  for (const char* name : {"SNatural2.dll", "My Sounds", "a.wave", "a.b.c", ".profile", "a.", "",
                           "tune+.mid", "été.wav", "ninechars"}) {
    EXPECT_FALSE(IsShortName(name)) << name;
  }
}

TEST(ShortNameTest, AliasesAreNumberedPerStemAndAvoidNamesInUse) {
  auto names = ShortNames({"My Sounds", "My Soundtrack.wave", "MYSOUN~1", "start.mid",
                           "SNatural2.dll", ".hidden file", "été à la plage.ogg", "a+b.c"});
  EXPECT_EQ(names["start.mid"], "start.mid");
  EXPECT_EQ(names["MYSOUN~1"], "MYSOUN~1");
  // ~1 is a real name already; the whole alias with its extension is what must be free.
  EXPECT_EQ(names["My Sounds"], "MYSOUN~2");
  EXPECT_EQ(names["My Soundtrack.wave"], "MYSOUN~1.WAV");
  EXPECT_EQ(names["SNatural2.dll"], "SNATUR~1.DLL");
  EXPECT_EQ(names[".hidden file"], "HIDDEN~1");
  EXPECT_EQ(names["été à la plage.ogg"], "_T__LA~1.OGG");
  EXPECT_EQ(names["a+b.c"], "A_B~1.C");
}

TEST(ShortNameTest, NamesThatDifferOnlyInCaseAllGetAliases) {
  auto names = ShortNames({"tune.mid", "TUNE.MID", "other.mid"});
  EXPECT_EQ(names["TUNE.MID"], "TUNE~1.MID");
  EXPECT_EQ(names["tune.mid"], "TUNE~2.MID");
  EXPECT_EQ(names["other.mid"], "other.mid");
}

TEST(ShortNameTest, ManyAliasesOfOneStemStayWithinEightCharacters) {
  std::vector<std::string> entries;
  for (int i = 0; i < 120; ++i) entries.push_back("long name " + std::to_string(i) + ".wav");
  auto names = ShortNames(entries);
  std::set<std::string> seen;
  for (const auto& [name, alias] : names) {
    EXPECT_TRUE(IsShortName(alias)) << alias;
    EXPECT_TRUE(seen.insert(alias).second) << alias;
  }
  // Numbered without gaps, the stem shortened as the number grows.
  EXPECT_EQ(seen.count("LONGNA~9.WAV") + seen.count("LONGN~10.WAV") + seen.count("LONG~120.WAV"),
            3u);
}

class ShortPathTest : public ::testing::Test {
 protected:
  ShortPathTest() {
    // A name that is short itself, so only the parts below it get aliases.
    char pattern[] = "/tmp/smXXXXXX";
    root_ = mkdtemp(pattern);
    fs::create_directories(root_ / "My Program" / "sound");
    Touch(root_ / "My Program" / "sound" / "start.mid");
    Touch(root_ / "My Program" / "SNatural.dll");
    Touch(root_ / "My Program" / "SNatural2.dll");
    Touch(root_ / "My Program" / "Ocean Waves.dll");
  }
  ~ShortPathTest() override { fs::remove_all(root_); }

  static void Touch(const fs::path& path) { std::ofstream(path) << "x"; }
  std::string P(const std::string& rest) const { return root_.string() + rest; }

  fs::path root_;
};

TEST_F(ShortPathTest, ShortFormsHaveNoBlanksAndResolveBackInLowerCase) {
  LinuxShortPathService service;
  for (const char* rest : {"/My Program/sound/start.mid", "/My Program/SNatural.dll",
                           "/My Program/SNatural2.dll", "/My Program/Ocean Waves.dll"}) {
    std::optional<std::string> short_path = service.ShortPath(P(rest));
    ASSERT_TRUE(short_path) << rest;
    EXPECT_EQ(short_path->find(' '), std::string::npos) << *short_path;
    std::string lower = *short_path;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(ResolvePath(lower), P(rest)) << lower;
  }
  EXPECT_EQ(service.ShortPath(P("/My Program/sound/start.mid")), P("/MYPROG~1/sound/start.mid"));
}

TEST_F(ShortPathTest, MissingFilesHaveNoShortForm) {
  LinuxShortPathService service;
  EXPECT_FALSE(service.ShortPath(P("/My Program/none.dll")));
  EXPECT_FALSE(service.ShortPath(P("/my program/SNatural.dll")));  // input is taken as it is
  EXPECT_FALSE(service.ShortPath(""));
  EXPECT_FALSE(ResolvePath(P("/myprog~2/snatural.dll")));
  EXPECT_FALSE(ResolvePath("\xE9\x94\x99\xE8\xAF\xAF"));
}

TEST_F(ShortPathTest, NamesInAnotherCaseResolveUnlessAmbiguous) {
  EXPECT_EQ(ResolvePath(P("/MY PROGRAM/snatural2.DLL")), P("/My Program/SNatural2.dll"));
  Touch(root_ / "My Program" / "snatural2.DLL");
  // Two files now answer to the same letters; an exact name still finds its own.
  EXPECT_FALSE(ResolvePath(P("/my program/SNATURAL2.dll")));
  EXPECT_EQ(ResolvePath(P("/My Program/snatural2.DLL")), P("/My Program/snatural2.DLL"));
}

TEST_F(ShortPathTest, RelativePathsStayRelative) {
  fs::path saved = fs::current_path();
  fs::current_path(root_);
  LinuxShortPathService service;
  EXPECT_EQ(service.ShortPath("My Program/./sound/start.mid"), "MYPROG~1/./sound/start.mid");
  EXPECT_EQ(ResolvePath("myprog~1/sound/START.MID"), "My Program/sound/start.mid");
  fs::current_path(saved);
}

}  // namespace
}  // namespace somnara::platform::short_names
