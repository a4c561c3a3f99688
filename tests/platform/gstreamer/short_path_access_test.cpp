// Short paths through folders that a user may pass through but not list, as a user who is
// not root sees them: a forked child drops its privileges and answers through a pipe.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <string>

#include "platform/gstreamer/sound_files.h"
#include "platform/linux/media/short_names.h"

namespace somnara::platform {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

// Runs `work` as the user nobody and gives back what it wrote; empty with a failure when the
// child could not become that user.
template <typename Work>
std::string AsNobody(Work work) {
  int out[2];
  if (pipe(out) != 0) return "pipe failed";
  pid_t child = fork();
  if (child == 0) {
    close(out[0]);
    if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(2);
    std::string answer = work();
    [[maybe_unused]] ssize_t n = write(out[1], answer.data(), answer.size());
    _exit(0);
  }
  close(out[1]);
  std::string answer;
  char buffer[512];
  for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) answer.append(buffer, n);
  close(out[0]);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
  return answer;
}

TEST(ShortPathAccess, AFolderThatCannotBeListedKeepsItsNameAndTheRestIsShortened) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to become another user for the test";
  char pattern[] = "/tmp/smaccessXXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string root = pattern;
  // A home folder others may pass through but not list, holding the program's folder.
  const std::string home = root + "/home";
  fs::create_directories(home + "/somnara/Nature Sounds");
  const std::string file = home + "/somnara/Nature Sounds/Rain On Leaves.wav";
  testing::WriteWav(file, 100);
  chmod(root.c_str(), 0755);
  chmod(home.c_str(), 0711);

  const std::string tail = "/home/somnara/NATURE~1/RAINON~1.WAV";
  std::string answer = AsNobody([&] {
    auto short_form = short_names::ShortenPath(file);
    if (!short_form) return std::string("no short form");
    // The media channel hands the short form on in lower case.
    std::string lower = *short_form;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    auto resolved = short_names::ResolvePath(lower);
    return *short_form + "\n" + (resolved ? *resolved : "unresolved");
  });
  const std::string short_root = *short_names::ShortenPath(root);
  EXPECT_EQ(answer, short_root + tail + "\n" + file);
  fs::remove_all(root);
}

}  // namespace
}  // namespace somnara::platform
