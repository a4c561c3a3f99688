#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/headless_power_service.h"
#include "platform/platform.h"
#include "power/power_actions.h"

namespace somnara::power {

// Installs a recording power service, starts every test with the switches false and
// hands back what the actions printed on standard output.
class PowerFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = platform::Current();
    platform::Services services = saved_;
    services.power = &fake_;
    platform::Install(services);
    ForceSwitch = false;
    PowerOffSwitch = false;
  }
  void TearDown() override { platform::Install(saved_); }

  // Runs `action` and returns everything it printed.
  template <typename F>
  std::string Printed(F&& action) {
    ::testing::internal::CaptureStdout();
    action();
    return ::testing::internal::GetCapturedStdout();
  }

  std::vector<std::string> Events() const { return fake_.events(); }

  platform::HeadlessPowerService fake_;

 private:
  platform::Services saved_;
};

// The events of a shut-down whose privilege steps all succeed.
inline std::vector<std::string> GrantedShutDown(const std::string& request) {
  return {"OpenProcessToken 40", "LookupPrivilegeValue SeShutdownPrivilege power-off",
          "AdjustTokenPrivileges enable", "CloseToken", request};
}

}  // namespace somnara::power
