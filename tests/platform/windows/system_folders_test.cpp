#include <gtest/gtest.h>

#include <filesystem>

#include "platform/windows/system/wide_text.h"
#include "platform/windows/windows_services.h"

namespace somnara::platform {
namespace {

// The text renderer falls back to this folder for faces the program does not carry.
TEST(WindowsSystemFoldersTest, FontFolderHoldsTheSystemsFonts) {
  const std::filesystem::path folder(Widen(SystemFontFolder()));
  ASSERT_TRUE(std::filesystem::is_directory(folder)) << SystemFontFolder();
  bool found = false;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::wstring extension = entry.path().extension().wstring();
    found = found || extension == L".ttf" || extension == L".TTF" || extension == L".ttc";
  }
  EXPECT_TRUE(found) << "no font file in " << SystemFontFolder();
}

}  // namespace
}  // namespace somnara::platform
