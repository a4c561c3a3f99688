// The system volume on a private sound server: what is written reads back unchanged, each
// channel reaches its side of the output, and without a server the calls fail fast.
#include "platform/linux/volume/pulse_system_volume.h"

#include <gtest/gtest.h>
#include <pulse/volume.h>
#include <stdlib.h>

#include <chrono>
#include <regex>

#include "platform/volume/private_sound_server.h"

namespace somnara::platform {
namespace {

using testing::PrivateSoundServer;

TEST(PulseVolumeMapping, EveryLevelSurvivesTheWayToTheServerAndBack) {
  EXPECT_EQ(PulseSystemVolume::LevelToServer(0), PA_VOLUME_MUTED);
  EXPECT_EQ(PulseSystemVolume::LevelToServer(65535), PA_VOLUME_NORM);
  EXPECT_EQ(PulseSystemVolume::ServerToLevel(PA_VOLUME_NORM), 65535);
  // Amplified outputs read as full scale.
  EXPECT_EQ(PulseSystemVolume::ServerToLevel(PA_VOLUME_NORM * 2), 65535);
  uint32_t previous = 0;
  for (uint32_t level = 0; level <= 65535; ++level) {
    uint32_t server = PulseSystemVolume::LevelToServer(uint16_t(level));
    ASSERT_EQ(PulseSystemVolume::ServerToLevel(server), level) << level;
    if (level > 0) {
      ASSERT_GT(server, previous) << level;
    }
    previous = server;
  }
}

// Left and right level of the output "out" in server units, as pactl reports them.
std::pair<long, long> ServerChannels(const PrivateSoundServer& server) {
  std::string text;
  EXPECT_TRUE(server.Pactl("get-sink-volume out", &text));
  std::smatch m;
  std::regex stereo(R"(front-left: (\d+) .*front-right: (\d+) )");
  std::regex mono(R"(mono: (\d+) )");
  if (std::regex_search(text, m, stereo)) return {std::stol(m[1]), std::stol(m[2])};
  if (std::regex_search(text, m, mono)) return {std::stol(m[1]), std::stol(m[1])};
  ADD_FAILURE() << "unexpected pactl output: " << text;
  return {-1, -1};
}

class PulseSystemVolumeTest : public ::testing::Test {
 protected:
  void StartServer(const std::string& sink_arguments = "") {
    if (!PrivateSoundServer::Available()) GTEST_SKIP() << "needs pulseaudio and pulseaudio-utils";
    server_ = std::make_unique<PrivateSoundServer>(sink_arguments);
    std::string error;
    ASSERT_TRUE(server_->Start(&error)) << error;
  }
  std::unique_ptr<PrivateSoundServer> server_;
};

TEST_F(PulseSystemVolumeTest, ValuesWrittenReadBackUnchangedAndReachEachSide) {
  StartServer();
  PulseSystemVolume volume;
  for (uint32_t value : {0xFF00FF00u, 0x01000100u, 0u, 0xFFFFFFFFu, 0x12345678u, 0xFFFF0000u,
                         0x0000FFFFu, 0x80007FFFu}) {
    ASSERT_TRUE(volume.SetVolume(value)) << std::hex << value;
    uint32_t read = 0xDEADBEEF;
    ASSERT_TRUE(volume.GetVolume(&read));
    EXPECT_EQ(read, value) << std::hex << value;
    // A second connection, which remembers nothing, reads the same from the server.
    PulseSystemVolume fresh;
    ASSERT_TRUE(fresh.GetVolume(&read));
    EXPECT_EQ(read, value) << std::hex << value;
  }
  ASSERT_TRUE(volume.SetVolume(SystemVolume::Pack(0, 65535)));
  EXPECT_EQ(ServerChannels(*server_), std::make_pair(0L, long(PA_VOLUME_NORM)));
  ASSERT_TRUE(volume.SetVolume(SystemVolume::Pack(65280, 256)));
  EXPECT_EQ(ServerChannels(*server_), std::make_pair(65281L, 256L));
}

TEST_F(PulseSystemVolumeTest, AChangeByAnotherProgramIsWhatReadsBack) {
  StartServer();
  PulseSystemVolume volume;
  ASSERT_TRUE(volume.SetVolume(0xFF00FF00u));
  ASSERT_TRUE(server_->Pactl("set-sink-volume out 50% 25%"));
  uint32_t read = 0;
  ASSERT_TRUE(volume.GetVolume(&read));
  // 50% is 32768 server units, 25% 16384: levels 32768 and 16384.
  EXPECT_EQ(read, SystemVolume::Pack(32768, 16384));
}

TEST_F(PulseSystemVolumeTest, AMonoOutputGetsTheLouderChannelYetReadsBackWhatWasWritten) {
  StartServer("channels=1 channel_map=mono");
  PulseSystemVolume volume;
  uint32_t value = SystemVolume::Pack(0x1000, 0xFF00);
  ASSERT_TRUE(volume.SetVolume(value));
  EXPECT_EQ(ServerChannels(*server_).first, long(PulseSystemVolume::LevelToServer(0xFF00)));
  uint32_t read = 0;
  ASSERT_TRUE(volume.GetVolume(&read));
  EXPECT_EQ(read, value);
  // Once someone else changes it, the server's own level is the answer for both channels.
  ASSERT_TRUE(server_->Pactl("set-sink-volume out 50%"));
  ASSERT_TRUE(volume.GetVolume(&read));
  EXPECT_EQ(read, SystemVolume::Pack(32768, 32768));
}

TEST_F(PulseSystemVolumeTest, AServerThatGoesAwayFailsTheCallsAndANewOneIsFoundAgain) {
  StartServer();
  PulseSystemVolume volume;
  ASSERT_TRUE(volume.SetVolume(0x40004000u));
  std::string address = server_->Address();
  server_->Stop();
  setenv("PULSE_SERVER", address.c_str(), 1);  // still pointing at the dead socket
  uint32_t read = 7;
  auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(volume.GetVolume(&read));
  EXPECT_FALSE(volume.SetVolume(0));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1200));
  EXPECT_EQ(read, 7u);
  unsetenv("PULSE_SERVER");
  StartServer();
  EXPECT_TRUE(volume.SetVolume(0x00100010u));
  ASSERT_TRUE(volume.GetVolume(&read));
  EXPECT_EQ(read, 0x00100010u);
}

TEST_F(PulseSystemVolumeTest, AmplificationIsToldAndTheFeedbackToneIsPlayedAfterARestartToo) {
  StartServer();
  PulseSystemVolume volume;
  ASSERT_TRUE(server_->Pactl("set-sink-volume out 130%"));
  EXPECT_TRUE(volume.AboveFullScale());
  uint32_t read = 0;
  ASSERT_TRUE(volume.GetVolume(&read));
  EXPECT_EQ(read, 0xFFFFFFFFu);
  ASSERT_TRUE(server_->Pactl("set-sink-volume out 100% 100%"));
  EXPECT_FALSE(volume.AboveFullScale());
  EXPECT_TRUE(volume.PlayFeedback());
  EXPECT_TRUE(volume.PlayFeedback());
  // A new server knows none of the old one's samples.
  server_.reset();
  StartServer();
  EXPECT_TRUE(volume.PlayFeedback());
  std::string samples;
  ASSERT_TRUE(server_->Pactl("list samples short", &samples));
  EXPECT_NE(samples.find("somnara-volume-feedback"), std::string::npos) << samples;
}

TEST(PulseSystemVolumeWithoutServer, BothCallsFailAtOnceAndChangeNothing) {
  setenv("PULSE_SERVER", "unix:/nonexistent/somnara-no-server", 1);
  PulseSystemVolume volume;
  uint32_t read = 0x1234;
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 5; ++i) {
    EXPECT_FALSE(volume.GetVolume(&read));
    EXPECT_FALSE(volume.SetVolume(0xFF00FF00u));
    EXPECT_FALSE(volume.PlayFeedback());
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
  EXPECT_EQ(read, 0x1234u);
  EXPECT_FALSE(volume.GetVolume(nullptr));
  unsetenv("PULSE_SERVER");
}

}  // namespace
}  // namespace somnara::platform
