#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

#include "platform/windows/system/wide_text.h"
#include "platform/windows/system/windows_ini_profile_store.h"
#include "windows_temp_folder.h"

namespace somnara::platform {
namespace {

// Two versions of a settings file that differ over their whole length, so a torn write
// shows as neither.
const std::string kFirst(20000, 'a');
const std::string kSecond(30000, 'b');

std::string FileWith(const std::string& value) {
  return "[Option]\r\nmusic=" + value + "\r\n";
}

// Run by the test below in a process of its own, which it kills in the middle of writing.
TEST(WindowsProfileStoreKillTest, DISABLED_Writer) {
  const char* path = std::getenv("SOMNARA_WRITER_FILE");
  if (path == nullptr) GTEST_SKIP() << "only as the writer of the kill test";
  WindowsIniProfileStore store;
  for (unsigned round = 1;; ++round) {
    ASSERT_TRUE(store.WriteString("Option", "music", round % 2 ? kSecond : kFirst, path).ok);
    // Tells the test that writes were under way when it struck.
    if (round == 1) testing::WriteBytes(std::string(path) + ".wrote", "");
  }
}

TEST(WindowsProfileStoreKillTest, KilledWriterNeverLeavesATornFile) {
  testing::WindowsTempFolder folder;
  const std::string path = folder.File("option.ini");
  testing::WriteBytes(path, FileWith(kFirst));
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(self) +
                         L"\" --gtest_also_run_disabled_tests "
                         L"--gtest_filter=WindowsProfileStoreKillTest.DISABLED_Writer";
  SetEnvironmentVariableW(L"SOMNARA_WRITER_FILE", Widen(path).c_str());
  std::mt19937 random(7);
  for (int round = 0; round < 8; ++round) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                               nullptr, nullptr, &startup, &process));
    // Once the writer is writing, somewhere in its writes.
    const std::wstring wrote = Widen(path + ".wrote");
    for (int wait = 0; wait < 600 && GetFileAttributesW(wrote.c_str()) == INVALID_FILE_ATTRIBUTES;
         ++wait) {
      Sleep(50);
    }
    Sleep(random() % 40);
    TerminateProcess(process.hProcess, 9);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const std::string bytes = testing::ReadBytes(path);
    ASSERT_TRUE(bytes == FileWith(kFirst) || bytes == FileWith(kSecond))
        << "round " << round << ": " << bytes.size() << " bytes";
    ASSERT_TRUE(DeleteFileW(wrote.c_str())) << "the writer never wrote";
  }
  SetEnvironmentVariableW(L"SOMNARA_WRITER_FILE", nullptr);
  // The next write sweeps whatever the killed writers left.
  WindowsIniProfileStore store;
  ASSERT_TRUE(store.WriteString("Option", "vol", "1", path).ok);
  EXPECT_EQ(folder.Names(), "option.ini");
}

}  // namespace
}  // namespace somnara::platform
