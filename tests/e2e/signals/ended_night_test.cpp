// A night cut short from outside, while the sleep window is up, the idle inhibitor held and
// the focus step's guidance still playing: by a signal (a service stop, Ctrl+C, a closing
// terminal), or by the X server going away. Either way the program ends on its own, says
// why in one line, lets go of the idle inhibitor and leaves no child of its behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/night_run.h"

namespace somnara::testing {
namespace {

constexpr int kWaitMs = 30000;
constexpr char kWhy[] = "Playing the sleep sound until the chosen end of the night";

// The processes whose parent is `pid`, from /proc.
std::vector<int> ChildrenOf(int pid) {
  std::vector<int> out;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    const std::string name = entry.path().filename();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::ifstream in(entry.path() / "stat");
    std::string stat((std::istreambuf_iterator<char>(in)), {});
    // pid (comm) state ppid ...: the command may hold spaces and parentheses.
    const size_t close = stat.rfind(')');
    if (close == std::string::npos) continue;
    std::istringstream rest(stat.substr(close + 1));
    std::string state;
    int ppid = 0;
    if (rest >> state >> ppid && ppid == pid) out.push_back(std::stoi(name));
  }
  return out;
}

bool Alive(int pid) {
  return kill(pid, 0) == 0;
}

class NightEndedFromOutside : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(run_.Start(SOMNARA_PROGRAM_DIR, &error)) << error;
    ASSERT_TRUE(run_.bus().IsTheSystemBus());
    ASSERT_TRUE(run_.Launch(&error)) << error;
    ASSERT_TRUE(run_.DriveToSleepWindow(NightChoices{}, &error)) << error;
    std::vector<LogindMock::Inhibitor> held;
    ASSERT_TRUE(run_.WaitFor(
        [&] {
          return run_.logind().Inhibitors(&held) &&
                 held == std::vector<LogindMock::Inhibitor>{{"idle", "Somnara", kWhy, "block"}};
        },
        kWaitMs))
        << held.size() << " inhibitors; " << run_.Note();
    pid_ = run_.program().pid();
    children_ = ChildrenOf(pid_);
  }

  void TearDown() override {
    run_.program().Stop();
    for (int child : children_) {
      if (Alive(child)) kill(child, SIGKILL);
    }
    const std::string said = run_.copy().ReadStderr();
    for (const char* report : {"Sanitizer", "runtime error:"})
      EXPECT_EQ(said.find(report), std::string::npos) << "the program reported:\n" << said;
    run_.Stop();
  }

  // Waits for the end of the program and checks what it leaves behind; gives its status.
  int EndedCleanly() {
    int status = 0;
    const int64_t deadline = MonotonicMs() + kWaitMs;
    while (!run_.Ended(&status) && MonotonicMs() < deadline) SleepMs(20);
    EXPECT_TRUE(run_.Ended(&status)) << "the program did not end; " << run_.Note();
    std::vector<LogindMock::Inhibitor> held;
    EXPECT_TRUE(run_.logind().Inhibitors(&held));
    EXPECT_TRUE(held.empty()) << "the idle inhibitor is still held";
    for (int child : children_)
      EXPECT_FALSE(Alive(child)) << "child " << child << " of the program outlived it";
    for (const char* call : {"Suspend", "Hibernate", "PowerOff"}) {
      for (const std::string& made : run_.logind().Calls())
        EXPECT_EQ(made.rfind(call, 0), std::string::npos) << "asked the login manager: " << made;
    }
    return status;
  }

  // What the program wrote on standard error, without a sanitizer build's own notes.
  std::vector<std::string> StderrLines() {
    std::vector<std::string> lines;
    std::istringstream said(run_.copy().ReadStderr());
    for (std::string line; std::getline(said, line);)
      if (!line.empty()) lines.push_back(line);
    return lines;
  }

  NightRun run_;
  int pid_ = -1;
  std::vector<int> children_;
};

class SignalledNight : public NightEndedFromOutside, public ::testing::WithParamInterface<int> {};

TEST_P(SignalledNight, SignalEndsTheNightCleanly) {
  const int signal_number = GetParam();
  ASSERT_EQ(kill(pid_, signal_number), 0);
  const int status = EndedCleanly();
  // Ended on its own after the clean-up, reporting the signal as a shell would.
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 128 + signal_number) << run_.Note();
  const std::vector<std::string> lines = StderrLines();
  ASSERT_EQ(lines.size(), 1u) << run_.Note();
  EXPECT_NE(lines[0].find("signal " + std::to_string(signal_number)), std::string::npos)
      << lines[0];
}

INSTANTIATE_TEST_SUITE_P(EndingSignals, SignalledNight, ::testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::string("SIG") + sigabbrev_np(info.param);
                         });

TEST_F(NightEndedFromOutside, KilledXServerEndsTheNightWithOneLine) {
  // The probe's own connection would end this test with the server.
  run_.probe().Close();
  ASSERT_EQ(kill(run_.xvfb().process().pid(), SIGKILL), 0);
  const int status = EndedCleanly();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << run_.Note();
  const std::vector<std::string> lines = StderrLines();
  ASSERT_EQ(lines.size(), 1u) << run_.Note();
  EXPECT_NE(lines[0].find("lost the connection to the X display"), std::string::npos) << lines[0];
}

}  // namespace
}  // namespace somnara::testing
