#include "logind_fixture.h"
#include "power/finish_command.h"

namespace somnara::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class LogindRequests : public LogindFixture {};

TEST_F(LogindRequests, EachFinishCommandAsksThenRequestsTheMatchingAction) {
  const struct {
    int command;
    const char* question;
    const char* request;
  } cases[] = {{1, "CanSuspend", "SuspendWithFlags 1"},
               {2, "CanHibernate", "HibernateWithFlags 1"},
               {3, "CanPowerOff", "PowerOffWithFlags 1"},
               {4, "CanPowerOff", "PowerOff False"}};
  std::vector<std::string> expected;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    EXPECT_EQ(Printed([&] { power::CarryOutFinishCommand(c.command); }), "");
    expected.push_back(c.question);
    expected.push_back(c.request);
    EXPECT_EQ(mock_.Calls(), expected);
    EXPECT_EQ(service_.last_request_error(), "");
  }
  power::CarryOutFinishCommand(0);
  EXPECT_EQ(mock_.Calls(), expected);
}

TEST_F(LogindRequests, SleepRespectsInhibitorsEvenForRootAndWhenForced) {
  EXPECT_TRUE(service_.SetSystemPowerState(true, false));
  EXPECT_TRUE(service_.SetSystemPowerState(false, true));
  EXPECT_THAT(mock_.Calls(), ElementsAre("SuspendWithFlags 1", "HibernateWithFlags 1"));
}

TEST_F(LogindRequests, RestartAndLogOffAreNotOffered) {
  using S = platform::PowerService;
  for (uint32_t flags : {0u, S::kEwxReboot, S::kEwxShutdown | S::kEwxReboot, S::kEwxForce}) {
    SCOPED_TRACE(flags);
    EXPECT_FALSE(service_.ExitWindowsEx(flags, 0));
    EXPECT_NE(service_.last_request_error(), "");
  }
  EXPECT_THAT(mock_.Calls(), IsEmpty());
}

TEST_F(LogindRequests, AnIdleInhibitorIsHeldUntilReleased) {
  auto inhibitor = service_.InhibitIdle("Somnara", "The sleep sound is playing.");
  ASSERT_NE(inhibitor, nullptr);
  service_.WaitUntilIdle();
  std::vector<LogindMock::Inhibitor> held;
  ASSERT_TRUE(mock_.Inhibitors(&held));
  // Idle only: the program must never keep the machine from the sleep it asks for.
  EXPECT_THAT(held, ElementsAre(LogindMock::Inhibitor{"idle", "Somnara",
                                                      "The sleep sound is playing.", "block"}));

  inhibitor.reset();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!held.empty() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(mock_.Inhibitors(&held));
  }
  EXPECT_THAT(held, IsEmpty()) << "closing the descriptor did not release the inhibitor";
}

// Login managers before the *WithFlags requests.
class OlderLogind : public LogindFixture {
 protected:
  std::string MockParameters() const override { return R"({"WithFlags": false})"; }
};

TEST_F(OlderLogind, PlainRequestsStandInForTheFlagsVariants) {
  EXPECT_EQ(Printed(power::PowerShutDown), "");
  EXPECT_TRUE(service_.SetSystemPowerState(true, false));
  EXPECT_THAT(mock_.Calls(), ElementsAre("CanPowerOff", "PowerOff False", "Suspend False"));
  EXPECT_EQ(service_.last_request_error(), "");
}

class RefusingLogind : public LogindFixture {
 protected:
  std::string MockParameters() const override { return R"({"CanPowerOff": "no"})"; }
};

TEST_F(RefusingLogind, ANoIsReportedAndThePowerOffIsRequestedAnyway) {
  EXPECT_EQ(Printed(power::PowerShutDown), "Error adjusting process privileges.\n");
  EXPECT_EQ(Printed(power::PowerShutDownForced), "Error adjusting process privileges.\n");
  EXPECT_THAT(mock_.Calls(),
              ElementsAre("CanPowerOff", "PowerOffWithFlags 1", "CanPowerOff", "PowerOff False"));
  EXPECT_FALSE(power::EnableShutdownPrivilege(true));
}

class ChallengingLogind : public LogindFixture {
 protected:
  std::string MockParameters() const override {
    return R"({"CanPowerOff": "challenge", "CanSuspend": "na"})";
  }
};

TEST_F(ChallengingLogind, AnythingButYesCountsAsRefusalAndLeavesOneLineOnStandardError) {
  std::string complaints = Complained(
      [&] { EXPECT_EQ(Printed(power::PowerShutDown), "Error adjusting process privileges.\n"); });
  EXPECT_EQ(complaints,
            "somnara: PowerOff was requested although the login manager answered \"challenge\" "
            "to CanPowerOff\n");
  EXPECT_EQ(Complained([&] { EXPECT_EQ(Printed(power::PowerStandBy), ""); }),
            "somnara: Suspend was requested although the login manager answered \"na\" to "
            "CanSuspend\n");
  EXPECT_THAT(mock_.Calls(), ElementsAre("CanPowerOff", "PowerOffWithFlags 1", "CanSuspend",
                                         "SuspendWithFlags 1"));
  // The answer belongs to the request it preceded, not to the next one.
  EXPECT_EQ(Complained([&] { service_.SetSystemPowerState(true, true); }), "");
}

class FailingLogind : public LogindFixture {
 protected:
  std::string MockParameters() const override {
    return R"({"CanPowerOffError": "Denied by the test.\nSecond line"})";
  }
};

TEST_F(FailingLogind, AFailedQuestionIsReportedOnOneLineAndThePowerOffStillGoesOut) {
  EXPECT_EQ(Printed(power::PowerShutDownForced),
            "Cannot find privilege value. [Denied by the test. Second line]\n");
  EXPECT_THAT(mock_.Calls(), ElementsAre("CanPowerOff", "PowerOff False"));
}

// A login manager that takes its time over every answer.
class SlowLogind : public LogindFixture {
 protected:
  std::string MockParameters() const override {
    return R"({"AnswerDelay": 1.0, "CanPowerOff": "no"})";
  }
};

TEST_F(SlowLogind, TheCallerIsNotHeldAndTheStepsKeepTheirOrderAndLines) {
  std::unique_ptr<platform::IdleInhibitor> inhibitor;
  std::string printed = Printed([&] {
    const auto start = std::chrono::steady_clock::now();
    inhibitor = service_.InhibitIdle("Somnara", "slow");
    power::CarryOutFinishCommand(3);
    power::CarryOutFinishCommand(1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
  });
  EXPECT_EQ(printed, "Error adjusting process privileges.\n");
  EXPECT_THAT(mock_.Calls(),
              ElementsAre(R"(Inhibit "idle" "Somnara" "slow" "block")", "CanPowerOff",
                          "PowerOffWithFlags 1", "CanSuspend", "SuspendWithFlags 1"));
  std::vector<LogindMock::Inhibitor> held;
  ASSERT_TRUE(mock_.Inhibitors(&held));
  EXPECT_EQ(held.size(), 1u);
}

// A bus without any login manager on it.
class BusWithoutLogind : public LogindFixture {
 protected:
  std::string MockParameters() const override { return ""; }
};

TEST_F(BusWithoutLogind, TheQuestionFailsAndTheRequestIsStillTried) {
  std::string printed = Printed(power::PowerShutDown);
  EXPECT_THAT(printed, ::testing::StartsWith("Cannot find privilege value. ["));
  EXPECT_THAT(printed, HasSubstr("org.freedesktop.login1"));
  EXPECT_THAT(printed, ::testing::EndsWith("]\n"));
  EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 1);
  EXPECT_THAT(service_.last_request_error(), HasSubstr("org.freedesktop.login1"));
  EXPECT_THAT(Complained([&] { service_.InhibitIdle("Somnara", "no manager"); }),
              ::testing::StartsWith("somnara: the idle inhibitor was not granted: "));
}

TEST_F(BusWithoutLogind, NoBusAtAllFailsTheTokenAndTheRequestIsStillTried) {
  bus_.Stop();
  ASSERT_EQ(std::string(std::getenv("DBUS_SYSTEM_BUS_ADDRESS")).rfind("unix:path=/nonexistent/", 0),
            0u);
  EXPECT_EQ(Printed(power::PowerShutDownForced),
            "Cannot open process token. [No such file or directory]\n");
  EXPECT_EQ(service_.last_request_error(), "No such file or directory");
  // Stand-by and hibernate print nothing but try as well, and say why nothing happened.
  EXPECT_EQ(Complained([&] { EXPECT_EQ(Printed(power::PowerStandBy), ""); }),
            "somnara: Suspend failed: No such file or directory\n");
  EXPECT_EQ(service_.last_request_error(), "No such file or directory");
  EXPECT_EQ(Complained([&] { service_.InhibitIdle("Somnara", "no bus"); }),
            "somnara: the idle inhibitor was not granted: No such file or directory\n");
}

}  // namespace
}  // namespace somnara::testing
