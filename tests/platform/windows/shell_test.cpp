#include <gtest/gtest.h>

#include "platform/windows/system/windows_shell_service.h"
#include "windows_temp_folder.h"

namespace somnara::platform {
namespace {

// Only refusals: an accepted target would really open in the desktop's browser.
TEST(WindowsShellTest, MissingDocumentIsRefusedInTheShellsOwnSeparators) {
  testing::WindowsTempFolder folder;
  WindowsShellService shell;
  EXPECT_FALSE(shell.Open(folder.path() + "/help/help.html"));
  EXPECT_FALSE(shell.Open(""));
  EXPECT_EQ(WindowsShellService::NativeTarget("c:/Somnara/help/help.html"),
            "c:\\Somnara\\help\\help.html");
  EXPECT_EQ(WindowsShellService::NativeTarget("https://example.com/a/"), "https://example.com/a/");
}

}  // namespace
}  // namespace somnara::platform
