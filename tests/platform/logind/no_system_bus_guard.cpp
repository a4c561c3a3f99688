#include <gtest/gtest.h>

#include "support/private_system_bus.h"

namespace {

// Runs before any test: until a fixture has its own bus up, the system bus this
// process would use is a socket that does not exist.
class NoSystemBus : public ::testing::Environment {
 public:
  void SetUp() override { somnara::testing::DetachFromSystemBus(); }
};

const bool kDetachedAtLoad = [] {
  somnara::testing::DetachFromSystemBus();
  ::testing::AddGlobalTestEnvironment(new NoSystemBus);
  return true;
}();

}  // namespace
