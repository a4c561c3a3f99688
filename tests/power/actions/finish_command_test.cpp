#include "power/finish_command.h"

#include <climits>

#include "power_fixture.h"

namespace somnara::power {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using Request = platform::RecordedPowerRequest;

class FinishCommandTest : public PowerFixture {};

TEST_F(FinishCommandTest, DoNothingAndUnknownValuesTouchNothing) {
  for (int command : {0, -1, 5, 99, INT_MIN, INT_MAX}) {
    SCOPED_TRACE(command);
    EXPECT_EQ(Printed([&] { CarryOutFinishCommand(command); }), "");
    EXPECT_THAT(Events(), IsEmpty());
    EXPECT_FALSE(ForceSwitch);
    EXPECT_FALSE(PowerOffSwitch);
  }
}

TEST_F(FinishCommandTest, StandByEnablesThePrivilegeThenSuspendsForcibly) {
  EXPECT_EQ(Printed([] { CarryOutFinishCommand(1); }), "");
  EXPECT_THAT(Events(), ElementsAre("OpenProcessToken 32",
                                    "LookupPrivilegeValue SeShutDownPrivilege stand-by",
                                    "AdjustTokenPrivileges enable", "CloseToken",
                                    "SetSystemPowerState suspend force"));
  ASSERT_EQ(fake_.requests().size(), 1u);
  EXPECT_EQ(fake_.requests()[0].kind, Request::Kind::kSetSystemPowerState);
  EXPECT_TRUE(fake_.requests()[0].suspend);
  EXPECT_TRUE(fake_.requests()[0].force);
}

TEST_F(FinishCommandTest, HibernateEnablesThePrivilegeThenHibernatesForcibly) {
  EXPECT_EQ(Printed([] { CarryOutFinishCommand(2); }), "");
  EXPECT_THAT(Events(), ElementsAre("OpenProcessToken 32",
                                    "LookupPrivilegeValue SeShutDownPrivilege hibernate",
                                    "AdjustTokenPrivileges enable", "CloseToken",
                                    "SetSystemPowerState hibernate force"));
  ASSERT_EQ(fake_.requests().size(), 1u);
  EXPECT_FALSE(fake_.requests()[0].suspend);
  EXPECT_TRUE(fake_.requests()[0].force);
}

TEST_F(FinishCommandTest, ShutDownRequestsPowerOffWithFlagsNine) {
  EXPECT_EQ(Printed([] { CarryOutFinishCommand(3); }), "");
  EXPECT_THAT(Events(), ElementsAreArray(GrantedShutDown("ExitWindowsEx 9 0")));
  ASSERT_EQ(fake_.requests().size(), 1u);
  EXPECT_EQ(fake_.requests()[0].kind, Request::Kind::kExitWindowsEx);
  EXPECT_EQ(fake_.requests()[0].flags, 9u);
  EXPECT_EQ(fake_.requests()[0].reserved, 0u);
}

TEST_F(FinishCommandTest, ForcedShutDownAddsForcingForFlagsThirteen) {
  EXPECT_EQ(Printed([] { CarryOutFinishCommand(4); }), "");
  EXPECT_THAT(Events(), ElementsAreArray(GrantedShutDown("ExitWindowsEx 13 0")));
  ASSERT_EQ(fake_.requests().size(), 1u);
  EXPECT_EQ(fake_.requests()[0].flags, 13u);
}

TEST_F(FinishCommandTest, NoTokenIsLeftOpenAfterAnyCommand) {
  for (int command = 0; command <= 4; ++command) CarryOutFinishCommand(command);
  EXPECT_EQ(fake_.open_tokens(), 0);
  EXPECT_EQ(fake_.requests().size(), 4u);
}

}  // namespace
}  // namespace somnara::power
