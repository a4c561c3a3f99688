// A sound server that is missing at start, or goes away and comes back during the night:
// the looped sound is silent only while there is no server and is heard again on it soon
// after it returns.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/gstreamer/sound_files.h"
#include "platform/linux/media/gst_media_service.h"
#include "support/pulse_server.h"
#include "support/sound_recorder.h"
#include "temp_folder.h"

namespace somnara::platform {
namespace {

using namespace std::chrono_literals;

class SoundServerRestart : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(server_.Start(&error)) << error;
    saved_ = getenv("PULSE_SERVER") ? getenv("PULSE_SERVER") : "";
    setenv("PULSE_SERVER", server_.address().c_str(), 1);
    file_ = folder_.path() + "/tone.wav";
    testing::WriteWav(file_, 1000, 440.0, 0.5);
  }
  void TearDown() override {
    if (saved_.empty()) {
      unsetenv("PULSE_SERVER");
    } else {
      setenv("PULSE_SERVER", saved_.c_str(), 1);
    }
  }

  // The loop timer's tick: a track at its end is closed, opened and played again.
  void LoopTick(GstMediaService& media) {
    MediaResult position = media.SendCommand("status dd position");
    MediaResult length = media.SendCommand("status dd length");
    if (position.code == 0 && position.reply != length.reply) return;
    media.SendCommand("close dd");
    media.SendCommand("open " + file_ + " alias dd");
    media.SendCommand("play dd");
  }

  // Keeps the loop going until the recorder hears the tone; false after `timeout`.
  bool HeardWhileLooping(GstMediaService& media, testing::SoundRecorder& recorder,
                         std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
      LoopTick(media);
      std::this_thread::sleep_for(100ms);
      int64_t recorded = recorder.RecordedMs();
      if (recorded > 0 && recorder.LoudestBlock(0, recorded) > 0.1) return true;
    }
    return false;
  }

  void LoopFor(GstMediaService& media, std::chrono::milliseconds time) {
    for (const auto end = std::chrono::steady_clock::now() + time;
         std::chrono::steady_clock::now() < end; std::this_thread::sleep_for(100ms)) {
      LoopTick(media);
    }
  }

  testing::PulseServer server_;
  testing::TempFolder folder_;
  std::string file_;
  std::string saved_;
};

TEST_F(SoundServerRestart, TheLoopedSoundReachesAServerThatStartsLateOrRestarts) {
  std::string error;
  // No server when the program starts: silence, for now.
  server_.Kill();
  GstMediaOptions options;
  options.open_timeout_ms = 20000;  // a loaded machine must not fail the test
  GstMediaService media(options);
  EXPECT_EQ(media.AudioSink(), "fakesink");
  LoopFor(media, 500ms);

  ASSERT_TRUE(server_.Restart(&error)) << error;
  {
    testing::SoundRecorder recorder;
    ASSERT_TRUE(recorder.Start(server_, &error)) << error;
    EXPECT_TRUE(HeardWhileLooping(media, recorder, 5s)) << "the late server stayed silent";
  }
  EXPECT_EQ(media.AudioSink(), "pulsesink");

  // The server dies in the middle of the night and comes back.
  server_.Kill();
  LoopFor(media, 1500ms);
  ASSERT_TRUE(server_.Restart(&error)) << error;
  testing::SoundRecorder recorder;
  ASSERT_TRUE(recorder.Start(server_, &error)) << error;
  EXPECT_TRUE(HeardWhileLooping(media, recorder, 5s)) << "the restarted server stayed silent";
}

}  // namespace
}  // namespace somnara::platform
