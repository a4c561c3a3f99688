#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tools/datagen/generator_run.h"

namespace somnara::testing {

// The sound files of the program's sound list, in its order, and the spoken guidance.
inline const std::vector<std::string> kNatureSoundFiles = {
    "SNatural.dll", "SNatural2.dll", "SOcean.dll", "SSeabird.dll",
    "SBicker.dll",  "SDrip.dll",     "SBird.dll"};
inline const std::string kGuidanceFile = "somna.dll";

// Tests on one program folder written by the generator; the test processes of one
// generator build share it. The tests only read it.
class ProgramFolderTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;

  static const std::filesystem::path& Folder();
  static std::filesystem::path File(const std::string& relative) { return Folder() / relative; }

 private:
  static std::filesystem::path* folder_;
  static GeneratorRun* run_;
};

}  // namespace somnara::testing
