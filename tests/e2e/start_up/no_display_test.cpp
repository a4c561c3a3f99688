// Without a display the program says so in one line and ends with a failure status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>

#include "support/child_process.h"
#include "support/program_copy.h"

namespace somnara::testing {
namespace {

TEST(NoDisplayTest, ExitsWithOneLineOnStandardError) {
  ProgramCopy copy;
  std::string error;
  ASSERT_TRUE(copy.Make(SOMNARA_PROGRAM_DIR, &error)) << error;
  for (const bool empty : {false, true}) {
    SCOPED_TRACE(empty ? "DISPLAY empty" : "DISPLAY unset");
    LaunchOptions options;
    options.unset_display = !empty;
    options.stderr_path = copy.stderr_path();
    // An empty DISPLAY is set explicitly (the child inherits ours otherwise).
    std::vector<std::string> argv = {copy.executable()};
    if (empty) argv = {"env", "DISPLAY=", copy.executable()};
    ChildProcess program;
    ASSERT_TRUE(program.Start(argv, options));
    int status = 0;
    ASSERT_TRUE(program.WaitExit(10000, &status)) << "the program runs on without a display";
    EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_NE(WEXITSTATUS(status), 0);

    std::string said = copy.ReadStderr();
    ASSERT_GE(said.size(), 2u) << "nothing on standard error";
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_EQ(said.back(), '\n') << said;
    std::transform(said.begin(), said.end(), said.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    EXPECT_NE(said.find("display"), std::string::npos) << "the line does not name the cause";
  }
}

}  // namespace
}  // namespace somnara::testing
