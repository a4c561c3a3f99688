#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/resources.h"
#include "platform/headless/headless_window_system.h"
#include "platform/platform.h"

namespace somnara::testing {

// A fresh application on the headless desktop for every test. Errors that would open the
// standard error box are collected in `errors` unless a test asks for the real box.
class HeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fw::ResetApplication();
    platform::Services services;
    services.windows = &windows;
    services.program_dir = "/nonexistent-program-dir";
    platform::Install(services);
    fw::App().Initialize(&windows);
    fw::App().SetTitle("Somnara");
    fw::App().OnException = [this](const std::string& message) { errors.push_back(message); };
  }
  void TearDown() override {
    fw::ResetApplication();
    platform::Install({});
  }
  int64_t Now() { return windows.Time().NowMs(); }
  // Runs the message loop until the application terminates; a step at `limit_ms` ends it.
  void RunUntil(int64_t limit_ms) {
    windows.At(limit_ms, [] { fw::App().Terminate(); });
    fw::App().Run();
  }

  platform::HeadlessWindowSystem windows;
  std::vector<std::string> errors;
};

}  // namespace somnara::testing
