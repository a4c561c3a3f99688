// The generator as a build step: the same bytes every run, and clear failures.
#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "tools/datagen/program_folder.h"

namespace somnara::testing {
namespace {

namespace fs = std::filesystem;

std::map<std::string, std::vector<uint8_t>> AllFiles(const fs::path& folder) {
  std::map<std::string, std::vector<uint8_t>> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file())
      files[fs::relative(entry.path(), folder).generic_string()] = ReadBytes(entry.path());
  return files;
}

TEST_F(ProgramFolderTest, ASecondRunOverAnOlderFolderWritesTheSameBytes) {
  ScratchFolder again;
  fs::create_directories(again.Path() / "sound");
  std::ofstream(again.Path() / "sound" / "start.mid") << "an older tune";
  std::ofstream(again.Path() / "option.ini") << "[Option]\nmusic=2\n";
  GeneratorRun run = RunGenerator({again.Path().string(), "--quiet"});
  ASSERT_EQ(run.exit_code, 0) << run.errors;

  auto first = AllFiles(Folder());
  auto second = AllFiles(again.Path());
  std::vector<uint8_t> settings = second["option.ini"];
  EXPECT_EQ(std::string(settings.begin(), settings.end()), "[Option]\nmusic=2\n")
      << "the user's settings are not the generator's to touch";
  second.erase("option.ini");
  ASSERT_EQ(first.size(), second.size());
  for (const auto& [name, bytes] : first) {
    ASSERT_TRUE(second.count(name)) << name;
    EXPECT_TRUE(bytes == second[name]) << name << " differs between two runs";
  }
}

TEST(GeneratorFailureTest, WrongArgumentsShowTheUsage) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{}, {"one", "two"}, {"--loud", "folder"}, {""}}) {
    GeneratorRun run = RunGenerator(args);
    EXPECT_EQ(run.exit_code, 2) << run.errors;
    EXPECT_NE(run.errors.find("usage: somnara_datagen FOLDER"), std::string::npos) << run.errors;
  }
}

TEST(GeneratorFailureTest, AFolderThatCannotBeMadeIsAClearError) {
  ScratchFolder scratch;
  fs::path file = scratch.Path() / "a-file";
  std::ofstream(file) << "not a folder";

  GeneratorRun onto_file = RunGenerator({file.string(), "--quiet"});
  EXPECT_EQ(onto_file.exit_code, 1);
  EXPECT_NE(onto_file.errors.find(file.string() + " exists and is not a folder"), std::string::npos)
      << onto_file.errors;

  GeneratorRun under_file = RunGenerator({(file / "program").string(), "--quiet"});
  EXPECT_EQ(under_file.exit_code, 1);
  EXPECT_NE(under_file.errors.find("somnara_datagen: cannot create the folder"), std::string::npos)
      << under_file.errors;
}

TEST(GeneratorFailureTest, WithoutEspeakItSaysSoAndLeavesNoHalfFiles) {
  ScratchFolder scratch;
  fs::create_directories(scratch.Path() / "empty-bin");
  std::string path = (scratch.Path() / "empty-bin").string();
  fs::path out = scratch.Path() / "program";
  GeneratorRun run = RunGenerator({out.string(), "--quiet"}, &path);
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.errors.find("espeak-ng"), std::string::npos) << run.errors;
  EXPECT_FALSE(fs::exists(out / "somna.dll"));
  for (const auto& entry : fs::recursive_directory_iterator(out)) {
    std::string name = entry.path().filename().string();
    EXPECT_FALSE(name.ends_with(".part")) << name;
    EXPECT_NE(name[0], '.') << "scratch file " << name << " left behind";
  }
}

}  // namespace
}  // namespace somnara::testing
