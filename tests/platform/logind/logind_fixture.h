#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/linux/power/logind_power_service.h"
#include "platform/platform.h"
#include "power/power_actions.h"
#include "support/logind_mock.h"
#include "support/private_system_bus.h"

namespace somnara::testing {

// A private bus made the system bus, optionally with the login manager mock on it,
// and the logind backend installed as the program's power service. A test body only
// runs once the system bus provably is the private one.
class LogindFixture : public ::testing::Test {
 protected:
  // Template parameters for the mock; an empty text starts no mock at all.
  virtual std::string MockParameters() const { return "{}"; }

  void SetUp() override {
    std::string error;
    ASSERT_TRUE(bus_.Start(&error)) << error;
    ASSERT_TRUE(bus_.IsTheSystemBus()) << "DBUS_SYSTEM_BUS_ADDRESS is not the private bus";
    const std::string parameters = MockParameters();
    if (!parameters.empty()) {
      ASSERT_TRUE(mock_.Start(bus_.address(), bus_.dir(), parameters, &error)) << error;
    }
    saved_ = platform::Current();
    platform::Services services = saved_;
    services.power = &service_;
    platform::Install(services);
    power::ForceSwitch = false;
    power::PowerOffSwitch = false;
  }

  void TearDown() override {
    platform::Install(saved_);
    mock_.Stop();
    bus_.Stop();
  }

  // What `action` and the requests it left to the service's thread wrote.
  template <typename F>
  std::string Printed(F&& action) {
    ::testing::internal::CaptureStdout();
    action();
    service_.WaitUntilIdle();
    return ::testing::internal::GetCapturedStdout();
  }
  template <typename F>
  std::string Complained(F&& action) {
    ::testing::internal::CaptureStderr();
    action();
    service_.WaitUntilIdle();
    return ::testing::internal::GetCapturedStderr();
  }

  PrivateSystemBus bus_;
  LogindMock mock_;
  platform::LogindPowerService service_;

 private:
  platform::Services saved_;
};

}  // namespace somnara::testing
