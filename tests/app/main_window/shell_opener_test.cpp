// The desktop openers as programs: stand-in xdg-open and gio scripts, written by each test,
// record the arguments they were given; nothing real is ever opened.
#include "platform/linux/system/shell_opener.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "app/link_opener.h"
#include "platform/platform.h"

namespace somnara::platform {
namespace {

class ShellOpenerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/somnara-openers-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
    record = dir + "/record";
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }

  // A stand-in opener: appends its name, its argument count and each argument on a line of
  // its own to the record file, then runs `then` (an exit status, a sleep, ...).
  std::string StandIn(const std::string& name, const std::string& then = "exit 0") {
    std::string path = dir + "/" + name;
    std::ofstream(path) << "#!/bin/sh\n"
                        << "{ echo " << name << "; echo \"$#\"; for a in \"$@\"; do "
                        << "printf '%s\\n' \"$a\"; done; } >> '" << record << "'\n"
                        << then << "\n";
    chmod(path.c_str(), 0755);
    return path;
  }
  std::string Record() const {
    std::ifstream in(record);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  std::string dir;
  std::string record;
};

TEST_F(ShellOpenerTest, AnAcceptingOpenerGetsTheTargetAsItsOneArgument) {
  ShellOpener opener({{StandIn("xdg-open")}, {StandIn("gio"), "open"}, 5000});
  const std::string target = "/home/a user/Somnara; rm -rf x/help/help.html";
  EXPECT_TRUE(opener.Open(target));
  EXPECT_EQ(Record(), "xdg-open\n1\n" + target + "\n");
}

TEST_F(ShellOpenerTest, AnOpenerThatFailsRefusesAndTheUrlHandlerGetsOpenAndTheTarget) {
  ShellOpener opener({{StandIn("xdg-open", "exit 4")}, {StandIn("gio"), "open"}, 5000});
  EXPECT_FALSE(opener.Open("http://somnara.example/"));
  EXPECT_TRUE(opener.OpenUrlHandler("http://somnara.example/"));
  EXPECT_EQ(Record(),
            "xdg-open\n1\nhttp://somnara.example/\ngio\n2\nopen\nhttp://somnara.example/\n");
}

TEST_F(ShellOpenerTest, AMissingOrKilledOpenerRefuses) {
  ShellOpener missing({{dir + "/no-such-opener"}, {dir + "/no-such-handler", "open"}, 5000});
  EXPECT_FALSE(missing.Open("http://somnara.example/"));
  EXPECT_FALSE(missing.OpenUrlHandler("http://somnara.example/"));
  ShellOpener killed({{StandIn("xdg-open", "kill -9 $$")}, {StandIn("gio"), "open"}, 5000});
  EXPECT_FALSE(killed.Open("http://somnara.example/"));
}

TEST_F(ShellOpenerTest, TargetsAnOpenerWouldMistakeForOptionsAreRefusedUnopened) {
  ShellOpener opener({{StandIn("xdg-open")}, {StandIn("gio"), "open"}, 5000});
  EXPECT_FALSE(opener.Open("--help"));
  EXPECT_FALSE(opener.OpenUrlHandler("-x"));
  EXPECT_FALSE(opener.Open(""));
  EXPECT_FALSE(opener.Open(std::string("a\0b", 3)));
  EXPECT_EQ(Record(), "");
}

TEST_F(ShellOpenerTest, TheDefaultOpenersAreFoundOnThePath) {
  StandIn("xdg-open", "exit 2");
  StandIn("gio");
  const char* old = getenv("PATH");
  std::string saved = old ? old : "";
  setenv("PATH", (dir + ":" + saved).c_str(), 1);
  ShellOpener opener;
  bool first = opener.Open("/tmp/missing page.html");
  bool second = opener.OpenUrlHandler("/tmp/missing page.html");
  setenv("PATH", saved.c_str(), 1);
  EXPECT_FALSE(first);
  EXPECT_TRUE(second);
  EXPECT_EQ(Record(),
            "xdg-open\n1\n/tmp/missing page.html\ngio\n2\nopen\n/tmp/missing page.html\n");
}

TEST_F(ShellOpenerTest, TheOpenerGetsNoInputAndNoneOfOurDescriptors) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);  // inheritable, like a careless library's descriptor
  std::string check = "if [ -e /proc/$$/fd/" + std::to_string(fds[1]) +
                      " ]; then echo leaked >> '" + record + "'; fi\n" +
                      "if read line; then echo input >> '" + record + "'; fi\nexit 0";
  ShellOpener opener({{StandIn("xdg-open", check)}, {StandIn("gio"), "open"}, 5000});
  EXPECT_TRUE(opener.Open("http://somnara.example/"));
  close(fds[0]);
  close(fds[1]);
  EXPECT_EQ(Record(), "xdg-open\n1\nhttp://somnara.example/\n");
}

TEST_F(ShellOpenerTest, AnOpenerStillBusyAfterTheWaitHasTakenTheTargetAndIsReapedLater) {
  ShellOpener opener({{StandIn("xdg-open", "sleep 1")}, {StandIn("gio"), "open"}, 50});
  auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(opener.Open("http://somnara.example/"));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(900));
  EXPECT_EQ(opener.StillRunning(), 1u);
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  EXPECT_TRUE(opener.OpenUrlHandler("http://somnara.example/"));
  EXPECT_EQ(opener.StillRunning(), 0u);
}

TEST_F(ShellOpenerTest, ALinkLeavesTheCallerAtOnceAndARefusalStillReachesTheUrlHandler) {
  ShellOpener opener(
      {{StandIn("xdg-open", "sleep 0.5; exit 4")}, {StandIn("gio", "sleep 3"), "open"}, 2000});
  const Services saved = Current();
  Services services = saved;
  services.shell = &opener;
  Install(services);
  const auto start = std::chrono::steady_clock::now();
  app::OpenLink("/tmp/missing page.html");
  app::OpenMailTo("sleep@somnara.example");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
  opener.WaitUntilIdle();
  Install(saved);
  EXPECT_EQ(Record(),
            "xdg-open\n1\n/tmp/missing page.html\ngio\n2\nopen\n/tmp/missing page.html\n"
            "xdg-open\n1\nmailto:sleep@somnara.example\n");
  // The URL handler outlasted its wait; it too is reaped once it is done.
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (opener.StillRunning() > 0 && std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_EQ(opener.StillRunning(), 0u);
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1) << "an opener was left unreaped";
}

}  // namespace
}  // namespace somnara::platform
