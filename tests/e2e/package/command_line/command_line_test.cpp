// --help and --version print and end without a display; anything else is refused with one
// usage line and status 2.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>

#include "support/child_process.h"
#include "temp_folder.h"

namespace somnara::testing {
namespace {

struct Outcome {
  int status = -1;  // exit status, or -1 when the program did not end by itself
  std::string out;
  std::string err;
};

Outcome RunWith(const std::vector<std::string>& arguments) {
  TempFolder folder;
  LaunchOptions options;
  options.unset_display = true;
  options.stdout_path = folder.File("out");
  options.stderr_path = folder.File("err");
  std::vector<std::string> argv = {SOMNARA_PROGRAM};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  ChildProcess program;
  Outcome outcome;
  int status = 0;
  if (!program.Start(argv, options) || !program.WaitExit(10000, &status)) return outcome;
  if (WIFEXITED(status)) outcome.status = WEXITSTATUS(status);
  outcome.out = ReadBytes(options.stdout_path);
  outcome.err = ReadBytes(options.stderr_path);
  return outcome;
}

TEST(CommandLineTest, HelpAndVersionPrintAndEndWithoutADisplay) {
  const Outcome version = RunWith({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "somnara " SOMNARA_VERSION "\n");
  EXPECT_EQ(version.err, "");

  const Outcome help = RunWith({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Usage: somnara", 0), 0u) << help.out;
  EXPECT_NE(help.out.find("--version"), std::string::npos) << help.out;
  EXPECT_EQ(help.err, "");
}

TEST(CommandLineTest, AnythingElseIsRefusedWithOneUsageLine) {
  const std::vector<std::vector<std::string>> refused = {
      {"--bogus"}, {"-h"}, {"night.txt"}, {"--help", "--nonsense"}, {"--version", "--help"}};
  for (const std::vector<std::string>& arguments : refused) {
    SCOPED_TRACE(arguments.front() + " ... (" + std::to_string(arguments.size()) + ")");
    const Outcome outcome = RunWith(arguments);
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
    EXPECT_NE(outcome.err.find("Usage: somnara"), std::string::npos) << outcome.err;
    EXPECT_NE(outcome.err.find("'" + arguments.back() + "'"), std::string::npos) << outcome.err;
  }
}

}  // namespace
}  // namespace somnara::testing
