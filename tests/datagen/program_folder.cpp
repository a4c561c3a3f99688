#include "datagen/program_folder.h"

namespace somnara::testing {

ScratchFolder* ProgramFolderTest::folder_ = nullptr;
GeneratorRun* ProgramFolderTest::run_ = nullptr;

void ProgramFolderTest::SetUpTestSuite() {
  // Shared by every suite of the process and left to the process's end, which removes it
  // through the folder's owner below.
  if (folder_) return;
  folder_ = new ScratchFolder();
  run_ = new GeneratorRun(RunGenerator({(folder_->Path() / "program").string(), "--quiet"}));
  static struct Cleanup {
    ~Cleanup() {
      delete folder_;
      delete run_;
    }
  } cleanup;
}

void ProgramFolderTest::SetUp() {
  ASSERT_EQ(run_->exit_code, 0) << "the generator failed: " << run_->errors;
}

const std::filesystem::path& ProgramFolderTest::Folder() {
  static std::filesystem::path path = folder_->Path() / "program";
  return path;
}

}  // namespace somnara::testing
