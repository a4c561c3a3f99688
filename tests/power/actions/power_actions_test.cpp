#include "power/power_actions.h"

#include "power_fixture.h"

namespace somnara::power {
namespace {

using platform::PowerAction;
using platform::PowerService;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class ShutDownSwitchesTest : public PowerFixture {};

TEST_F(ShutDownSwitchesTest, OperationsSetTheSwitchesAndTheyStaySet) {
  PowerShutDownForced();
  EXPECT_TRUE(ForceSwitch);
  EXPECT_TRUE(PowerOffSwitch);
  // A plain shut-down after a forced one must not inherit the forcing.
  PowerShutDown();
  EXPECT_FALSE(ForceSwitch);
  EXPECT_TRUE(PowerOffSwitch);
  ASSERT_EQ(fake_.requests().size(), 2u);
  EXPECT_EQ(fake_.requests()[0].flags, 13u);
  EXPECT_EQ(fake_.requests()[1].flags, 9u);
}

TEST_F(ShutDownSwitchesTest, FlagsFollowTheSwitchesAsTheyAre) {
  const struct {
    bool force, power_off;
    uint32_t flags;
  } cases[] = {{false, false, 1}, {true, false, 5}, {false, true, 9}, {true, true, 13}};
  for (const auto& c : cases) {
    ForceSwitch = c.force;
    PowerOffSwitch = c.power_off;
    fake_.ClearRecords();
    ShutDownSystem();
    ASSERT_EQ(fake_.requests().size(), 1u);
    EXPECT_EQ(fake_.requests()[0].flags, c.flags);
  }
}

class ShutDownPrivilegeTest : public PowerFixture {};

TEST_F(ShutDownPrivilegeTest, TokenFailureIsReportedAndTheRequestStillGoesOut) {
  fake_.FailOpenProcessToken(5, "Access is denied.");
  for (auto [operation, flags] : {std::pair{&PowerShutDown, "9"}, {&PowerShutDownForced, "13"}}) {
    fake_.ClearRecords();
    EXPECT_EQ(Printed(operation), "Cannot open process token. [Access is denied.]\n");
    EXPECT_THAT(Events(),
                ElementsAre("OpenProcessToken 40", std::string("ExitWindowsEx ") + flags + " 0"));
  }
}

TEST_F(ShutDownPrivilegeTest, LookupFailureIsReportedAndTheRequestStillGoesOut) {
  fake_.FailLookupPrivilegeValue(1313, "A specified privilege does not exist.");
  EXPECT_EQ(Printed(PowerShutDown),
            "Cannot find privilege value. [A specified privilege does not exist.]\n");
  EXPECT_THAT(Events(), ElementsAre("OpenProcessToken 40",
                                    "LookupPrivilegeValue SeShutdownPrivilege power-off",
                                    "CloseToken", "ExitWindowsEx 9 0"));
}

TEST_F(ShutDownPrivilegeTest, RefusalIsReportedAndTheRequestStillGoesOut) {
  fake_.SetPrivilegeGranted(false);
  EXPECT_EQ(Printed(PowerShutDownForced), "Error adjusting process privileges.\n");
  EXPECT_THAT(Events(), ElementsAreArray(GrantedShutDown("ExitWindowsEx 13 0")));
  EXPECT_EQ(fake_.open_tokens(), 0);
}

TEST_F(ShutDownPrivilegeTest, RejectedRequestIsNotReported) {
  fake_.SetRequestResult(false);
  EXPECT_EQ(Printed(PowerShutDown), "");
  EXPECT_EQ(Printed(PowerStandBy), "");
  EXPECT_EQ(fake_.requests().size(), 2u);
}

TEST_F(ShutDownPrivilegeTest, SystemTextStopsAtItsFirstZeroAndAtTheBufferSize) {
  fake_.FailOpenProcessToken(5, std::string("Denied.\0garbage", 15));
  EXPECT_EQ(Printed(PowerShutDown), "Cannot open process token. [Denied.]\n");

  fake_.FailOpenProcessToken(5, std::string(600, 'x'));
  EXPECT_EQ(Printed(PowerShutDown), "Cannot open process token. [" + std::string(512, 'x') + "]\n");

  // A cut through the middle of a character keeps the line valid text.
  fake_.FailOpenProcessToken(5, std::string(511, 'x') + "\xC3\xA9" + "tail");
  EXPECT_EQ(Printed(PowerShutDown), "Cannot open process token. [" + std::string(511, 'x') + "]\n");
}

TEST_F(ShutDownPrivilegeTest, OutsideTheNtFamilyTheTokenIsLeftAloneForShutDown) {
  fake_.SetPlatformId(1);
  fake_.FailOpenProcessToken(5, "Access is denied.");
  EXPECT_EQ(Printed(PowerShutDownForced), "");
  EXPECT_THAT(Events(), ElementsAre("ExitWindowsEx 13 0"));

  // Stand-by and hibernate still try to enable the privilege, silently.
  fake_.ClearRecords();
  EXPECT_EQ(Printed(PowerHibernate), "");
  EXPECT_THAT(Events(), ElementsAre("OpenProcessToken 32", "SetSystemPowerState hibernate force"));
}

class EnablePrivilegeTest : public PowerFixture {};

TEST_F(EnablePrivilegeTest, ResultFollowsEachStep) {
  EXPECT_TRUE(EnableShutdownPrivilege(true));
  EXPECT_TRUE(EnableShutdownPrivilege(false));

  fake_.SetPrivilegeGranted(false);
  EXPECT_FALSE(EnableShutdownPrivilege(true));

  fake_.FailLookupPrivilegeValue(1313, "No such privilege.");
  fake_.ClearRecords();
  EXPECT_FALSE(EnableShutdownPrivilege(true, PowerAction::kStandBy));
  // Nothing to enable without the privilege's identifier.
  EXPECT_THAT(Events(),
              ElementsAre("OpenProcessToken 32",
                          "LookupPrivilegeValue SeShutDownPrivilege stand-by", "CloseToken"));

  fake_.FailOpenProcessToken(5, "Access is denied.");
  EXPECT_FALSE(EnableShutdownPrivilege(true));
  EXPECT_EQ(fake_.open_tokens(), 0);
}

TEST_F(EnablePrivilegeTest, StandByAndHibernateFailuresStaySilentAndRequestAnyway) {
  fake_.FailOpenProcessToken(5, "Access is denied.");
  EXPECT_EQ(Printed(PowerStandBy), "");
  fake_.FailOpenProcessToken(0, "");
  fake_.SetPrivilegeGranted(false);
  EXPECT_EQ(Printed(PowerHibernate), "");
  ASSERT_EQ(fake_.requests().size(), 2u);
  EXPECT_TRUE(fake_.requests()[0].suspend);
  EXPECT_FALSE(fake_.requests()[1].suspend);
}

TEST(PowerWithoutService, OperationsDoNothingWhenNoServiceIsInstalled) {
  platform::Services saved = platform::Current();
  platform::Services none = saved;
  none.power = nullptr;
  platform::Install(none);
  EXPECT_FALSE(EnableShutdownPrivilege(true));
  PowerStandBy();
  PowerHibernate();
  PowerShutDown();
  PowerShutDownForced();
  platform::Install(saved);
}

TEST(HeadlessIdleInhibitor, RecordsTakingAndReleasingInOrder) {
  platform::HeadlessPowerService fake;
  auto inhibitor = fake.InhibitIdle("Somnara", "The sleep sound is playing.");
  ASSERT_NE(inhibitor, nullptr);
  EXPECT_EQ(fake.idle_inhibitors_held(), 1);
  inhibitor.reset();
  fake.SetSystemPowerState(true, true);
  EXPECT_EQ(fake.idle_inhibitors_held(), 0);
  EXPECT_THAT(fake.events(), ElementsAre("InhibitIdle Somnara", "ReleaseIdle",
                                         "SetSystemPowerState suspend force"));

  fake.SetInhibitAvailable(false);
  EXPECT_EQ(fake.InhibitIdle("Somnara", "again"), nullptr);
  EXPECT_EQ(fake.idle_inhibitors_held(), 0);
}

}  // namespace
}  // namespace somnara::power
