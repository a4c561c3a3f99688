// The in-memory system volume that the program's tests use.
#include "platform/headless/headless_system_volume.h"

#include <gtest/gtest.h>

namespace somnara::platform {
namespace {

TEST(HeadlessSystemVolume, KeepsAndLogsWritesAndFailsWhileUnavailable) {
  HeadlessSystemVolume volume(0xFFFF0000u);
  uint32_t read = 0;
  ASSERT_TRUE(volume.GetVolume(&read));
  EXPECT_EQ(read, 0xFFFF0000u);
  EXPECT_EQ(SystemVolume::Left(read), 0);
  EXPECT_EQ(SystemVolume::Right(read), 0xFFFF);
  volume.SetValue(5);  // another program: not a write of ours
  EXPECT_TRUE(volume.Writes().empty());
  ASSERT_TRUE(volume.SetVolume(0x01000100u));
  volume.SetAvailable(false);
  EXPECT_FALSE(volume.SetVolume(0));
  EXPECT_FALSE(volume.GetVolume(&read));
  EXPECT_EQ(read, 0xFFFF0000u);
  EXPECT_EQ(volume.Value(), 0x01000100u);
  EXPECT_EQ(volume.Writes(), std::vector<uint32_t>{0x01000100u});
}

}  // namespace
}  // namespace somnara::platform
