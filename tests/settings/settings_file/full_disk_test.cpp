// Writes that meet a full disk or a read-only file system: the old option.ini stays whole,
// no temporary file stays behind, and the write says "Unable to write to <path>". Each
// write runs in a child process, which may change its limits, user and mounts freely.
// A full disk is played by a file-size limit (a write past it fails with EFBIG once
// SIGXFSZ is ignored) and met for real on a small tmpfs filled up.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <exception>
#include <filesystem>
#include <functional>
#include <string>

#include "framework/exceptions.h"
#include "platform/linux/system/ini_profile_store.h"
#include "settings/settings.h"
#include "temp_folder.h"

namespace somnara::settings {
namespace {

using somnara::testing::ReadBytes;
using somnara::testing::TempFolder;
using somnara::testing::WriteBytes;

std::string OldFile() {
  std::string text = "[Option]\r\nmusic=3\r\n";
  for (int i = 0; i < 40; ++i) text += "entry" + std::to_string(i) + "=kept whole\r\n";
  return text;
}

// Runs `body` in a child and gives back what it wrote to its pipe: "" when it ended
// without a word.
std::string InChild(const std::function<std::string()>& body) {
  int out[2];
  if (pipe(out) != 0) return "no pipe";
  const pid_t child = fork();
  if (child == 0) {
    close(out[0]);
    // Nothing may leave the child but through _exit, or it would go on with the test.
    std::string said;
    try {
      said = body();
    } catch (const std::exception& error) {
      said = std::string("the child failed: ") + error.what();
    }
    (void)!write(out[1], said.data(), said.size());
    _exit(0);
  }
  close(out[1]);
  std::string said;
  char buffer[256];
  for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) said.append(buffer, size_t(n));
  close(out[0]);
  waitpid(child, nullptr, 0);
  return said;
}

// One write of a long value through the settings, as the child's last act.
std::string WriteLongValue(const std::string& path, bool unnamed_temp_files) {
  platform::IniProfileStore store({.unnamed_temp_files = unnamed_temp_files});
  Settings settings(path, store);
  try {
    settings.WriteString("Option", "text", std::string(500, 'x'));
  } catch (const fw::FileError& error) {
    return error.what();
  }
  return "written";
}

void LimitFileSize(rlim_t bytes) {
  signal(SIGXFSZ, SIG_IGN);
  const rlimit limit{bytes, bytes};
  setrlimit(RLIMIT_FSIZE, &limit);
}

size_t Entries(const std::string& folder) {
  size_t n = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++n;
  return n;
}

TEST(FullDiskTest, AFullDiskKeepsTheOldFileAndLeavesNoTemporaryFile) {
  for (bool unnamed : {true, false}) {
    SCOPED_TRACE(unnamed ? "unnamed temporary file" : "named temporary file");
    TempFolder folder;
    const std::string path = folder.File("option.ini");
    WriteBytes(path, OldFile());
    EXPECT_EQ(InChild([&] {
                LimitFileSize(OldFile().size() + 100);
                return WriteLongValue(path, unnamed);
              }),
              "Unable to write to " + path);
    EXPECT_EQ(ReadBytes(path), OldFile());
    EXPECT_EQ(Entries(folder.path()), 1u);
  }
}

// A folder that takes no new files but holds a file its user may change gets the file
// overwritten in place; a full disk must not leave it half new.
TEST(FullDiskTest, AFullDiskKeepsTheOldFileWhenItIsOverwrittenInPlace) {
  const passwd* nobody = getpwnam("nobody");
  if (geteuid() == 0 && (nobody == nullptr || nobody->pw_uid == 0))
    GTEST_SKIP() << "running as root with no unprivileged user 'nobody' to become";
  TempFolder folder;
  const std::string path = folder.File("option.ini");
  WriteBytes(path, OldFile());
  if (geteuid() == 0) {
    ASSERT_EQ(chown(path.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    ASSERT_EQ(chmod(folder.path().c_str(), 0755), 0);  // root's: nobody adds nothing there
  } else {
    ASSERT_EQ(chmod(folder.path().c_str(), 0555), 0);
  }
  EXPECT_EQ(InChild([&] {
              if (geteuid() == 0 && (setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0))
                return std::string("cannot become nobody");
              LimitFileSize(OldFile().size() + 100);
              return WriteLongValue(path, true);
            }),
            "Unable to write to " + path);
  EXPECT_EQ(ReadBytes(path), OldFile());
  EXPECT_EQ(Entries(folder.path()), 1u);
}

// Mounts a fresh tmpfs with `options` over `folder` in a mount namespace of the calling
// child's own (a user namespace too without root). Gives "" or why it could not.
std::string MountOwnTmpfs(const std::string& folder, const char* options) {
  const uid_t uid = geteuid();
  const gid_t gid = getegid();
  if (uid != 0) {
    if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return "skip: no user namespace";
    WriteBytes("/proc/self/setgroups", "deny");
    WriteBytes("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1");
    WriteBytes("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1");
  } else if (unshare(CLONE_NEWNS) != 0) {
    return "skip: no mount namespace";
  }
  if (mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
      mount("tmpfs", folder.c_str(), "tmpfs", 0, options) != 0)
    return "skip: cannot mount";
  return "";
}

// Where neither namespace is allowed the cases are skipped.
TEST(FullDiskTest, AReadOnlyFileSystemKeepsTheOldFile) {
  TempFolder folder;
  const std::string path = folder.File("option.ini");
  const std::string said = InChild([&]() -> std::string {
    if (std::string why = MountOwnTmpfs(folder.path(), nullptr); !why.empty()) return why;
    WriteBytes(path, OldFile());
    if (mount(nullptr, folder.path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
      return "skip: cannot make the mount read-only";
    const std::string message = WriteLongValue(path, true);
    if (ReadBytes(path) != OldFile()) return "the old file changed";
    if (Entries(folder.path()) != 1) return "a temporary file was left behind";
    return message;
  });
  if (said.rfind("skip:", 0) == 0) GTEST_SKIP() << said;
  EXPECT_EQ(said, "Unable to write to " + path);
}

// A really full disk: a small tmpfs filled up by another file, so the write meets ENOSPC.
TEST(FullDiskTest, ARealENOSPCKeepsTheOldFileAndLeavesNoTemporaryFile) {
  for (bool unnamed : {true, false}) {
    SCOPED_TRACE(unnamed ? "unnamed temporary file" : "named temporary file");
    TempFolder folder;
    const std::string path = folder.File("option.ini");
    const std::string said = InChild([&]() -> std::string {
      if (std::string why = MountOwnTmpfs(folder.path(), "size=64k"); !why.empty()) return why;
      WriteBytes(path, OldFile());
      const int filler = open(folder.File("filler").c_str(), O_WRONLY | O_CREAT, 0600);
      const std::string block(4096, 'f');
      while (write(filler, block.data(), block.size()) > 0) {
      }
      const int error = errno;
      close(filler);
      if (error != ENOSPC) return "filling up gave " + std::to_string(error);
      const std::string message = WriteLongValue(path, unnamed);
      if (ReadBytes(path) != OldFile()) return "the old file changed";
      if (Entries(folder.path()) != 2) return "a temporary file was left behind";
      return message;
    });
    if (said.rfind("skip:", 0) == 0) GTEST_SKIP() << said;
    EXPECT_EQ(said, "Unable to write to " + path);
  }
}

}  // namespace
}  // namespace somnara::settings
