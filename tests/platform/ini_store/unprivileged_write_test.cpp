// Writes by a user without privileges, in folders and files that user may or may not
// change. Root writes anywhere, so each write runs in a child process that, under root,
// first becomes nobody; the folders are prepared for that user.
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "platform/linux/system/ini_profile_store.h"
#include "temp_folder.h"

namespace somnara::platform {
namespace {

using somnara::testing::ReadBytes;
using somnara::testing::TempFolder;
using somnara::testing::WriteBytes;

constexpr int kUnreachable = -1;

struct Writer {
  uid_t uid;
  gid_t gid;
  bool drops_root;
};

Writer Me() {
  return {geteuid(), getegid(), false};
}

std::optional<Writer> UnprivilegedWriter() {
  if (geteuid() != 0) return Me();
  const passwd* nobody = getpwnam("nobody");
  if (nobody == nullptr || nobody->pw_uid == 0) return std::nullopt;
  return Writer{nobody->pw_uid, nobody->pw_gid, true};
}

// The store's answer to one write as `writer`: 0, an errno value, or kUnreachable when
// the writer cannot even look into `folder`. Nothing when the child could not be run.
std::optional<int> WriteAs(const Writer& writer, const std::string& folder,
                           const std::string& path) {
  int result_pipe[2];
  if (pipe(result_pipe) != 0) return std::nullopt;
  pid_t child = fork();
  if (child < 0) return std::nullopt;
  if (child == 0) {
    close(result_pipe[0]);
    if (writer.drops_root &&
        (setgroups(0, nullptr) != 0 || setgid(writer.gid) != 0 || setuid(writer.uid) != 0)) {
      _exit(1);
    }
    int result = kUnreachable;
    if (access(folder.c_str(), R_OK | X_OK) == 0) {
      ProfileWriteResult written = IniProfileStore().WriteString("Option", "vol", "45", path);
      result = written.ok ? 0 : written.error;
    }
    (void)!write(result_pipe[1], &result, sizeof result);
    _exit(0);
  }
  close(result_pipe[1]);
  int result = 0;
  bool answered = read(result_pipe[0], &result, sizeof result) == sizeof result;
  close(result_pipe[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (!answered) return std::nullopt;
  return result;
}

int GiveTo(const std::string& path, const Writer& owner) {
  return chown(path.c_str(), owner.uid, owner.gid);
}

struct Place {
  const char* what;
  mode_t folder_mode;
  bool folder_is_writers;  // else root's, the writer being someone else
  std::optional<mode_t> file_mode;
  bool file_is_writers;
  int error;  // 0: the write succeeds
  bool in_place;
};

TEST(IniUnprivilegedWriteTest, WritesWhereTheUserMayAndFailsWithReasonElsewhere) {
  const std::optional<Writer> writer = UnprivilegedWriter();
  if (!writer) GTEST_SKIP() << "running as root with no unprivileged user 'nobody' to become";

  const std::string before = "[Option]\r\nvol=a longer value than the one written\r\nexe=3\r\n";
  const std::string after = "[Option]\r\nvol=45\r\nexe=3\r\n";
  const Place places[] = {
      {"writable folder and file: replaced", 0755, true, 0644, true, 0, false},
      {"read-only folder, writable file: overwritten", 0555, true, 0644, true, 0, true},
      {"shared sticky folder, someone else's writable file: overwritten", 01777, false, 0666, false,
       0, true},
      {"read-only folder and file", 0555, true, 0444, true, EACCES, false},
      {"writable folder, read-only file", 0755, true, 0444, true, EACCES, false},
      {"read-only folder, no file", 0555, true, std::nullopt, true, EACCES, false},
  };

  TempFolder root;
  ASSERT_EQ(chmod(root.path().c_str(), 0711), 0);  // the writer passes through, no more
  int index = 0;
  for (const Place& place : places) {
    SCOPED_TRACE(place.what);
    if (!writer->drops_root && !(place.folder_is_writers && place.file_is_writers)) {
      std::cout << "skipped without root, which alone can give files to someone else: "
                << place.what << "\n";
      continue;
    }
    const std::string folder = root.File("place" + std::to_string(index++));
    const std::string path = folder + "/option.ini";
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    ino_t inode = 0;
    if (place.file_mode) {
      WriteBytes(path, before);
      ASSERT_EQ(GiveTo(path, place.file_is_writers ? *writer : Me()), 0);
      ASSERT_EQ(chmod(path.c_str(), *place.file_mode), 0);
      struct stat info {};
      ASSERT_EQ(stat(path.c_str(), &info), 0);
      inode = info.st_ino;
    }
    ASSERT_EQ(GiveTo(folder, place.folder_is_writers ? *writer : Me()), 0);
    ASSERT_EQ(chmod(folder.c_str(), place.folder_mode), 0);

    const std::optional<int> result = WriteAs(*writer, folder, path);
    ASSERT_TRUE(result.has_value()) << "the writing child gave no answer";
    if (*result == kUnreachable) {
      GTEST_SKIP() << "user " << writer->uid << " cannot reach the temporary folder " << root.path()
                   << "; set TMPDIR to a folder everyone may pass through";
    }
    EXPECT_EQ(*result, place.error);
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
      ++entries;
    }
    if (!place.file_mode) {
      EXPECT_EQ(entries, 0u);
      continue;
    }
    EXPECT_EQ(entries, 1u) << "a temporary file was left behind";
    EXPECT_EQ(ReadBytes(path), place.error == 0 ? after : before);
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_ino == inode, place.error != 0 || place.in_place);
    EXPECT_EQ(info.st_mode & 07777, *place.file_mode);
  }
}

}  // namespace
}  // namespace somnara::platform
