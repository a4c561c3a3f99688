// Sound that really comes out: a private sound server with a null sink whose monitor the
// test records while the media service plays.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>
#include <vector>

#include "platform/gstreamer/sound_files.h"
#include "platform/linux/media/gst_media_service.h"
#include "support/child_process.h"

namespace somnara::platform {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

bool OnPath(const std::string& program) {
  return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

// Keeps one environment variable changed for the life of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// The loudest 50 ms of a raw recording (16-bit mono), as RMS on a 0 to 1 scale.
double LoudestRms(const std::string& raw_file) {
  std::ifstream in(raw_file, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const size_t block = 44100 / 20;
  size_t samples = bytes.size() / 2;
  double loudest = 0;
  for (size_t start = 0; start + block <= samples; start += block) {
    double sum = 0;
    for (size_t i = start; i < start + block; ++i) {
      int16_t v = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) |
                                       (static_cast<uint8_t>(bytes[2 * i + 1]) << 8));
      sum += (v / 32768.0) * (v / 32768.0);
    }
    loudest = std::max(loudest, std::sqrt(sum / block));
  }
  return loudest;
}

class PulseOutputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!OnPath("pulseaudio") || !OnPath("parec") || !OnPath("pactl")) {
      GTEST_SKIP() << "needs pulseaudio and pulseaudio-utils";
    }
    char pattern[] = "/tmp/smpaXXXXXX";
    dir_ = mkdtemp(pattern);
    fs::create_directories(dir_ + "/run");
    fs::permissions(dir_ + "/run", fs::perms::owner_all);
    fs::create_directories(dir_ + "/nodata");
    server_ = "unix:" + dir_ + "/native";
    testing::LaunchOptions options;
    options.environment = {"HOME=" + dir_, "XDG_RUNTIME_DIR=" + dir_ + "/run",
                           "XDG_CONFIG_HOME=" + dir_};
    daemon_.emplace();
    ASSERT_TRUE(daemon_->Start(
        {"pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
         "--disable-shm=yes", "-L", "module-null-sink sink_name=rec rate=44100", "-L",
         "module-native-protocol-unix socket=" + dir_ + "/native auth-anonymous=1"},
        options));
    auto deadline = std::chrono::steady_clock::now() + 10s;
    while (std::system(("pactl -s " + server_ + " info >/dev/null 2>&1").c_str()) != 0) {
      ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the sound server did not start";
      std::this_thread::sleep_for(50ms);
    }
    testing::WriteWav(dir_ + "/tone.wav", 600, 440.0, 0.5);
    testing::WriteMidi(dir_ + "/start.mid");
  }
  void TearDown() override {
    if (daemon_) daemon_->Stop();
    if (!dir_.empty()) fs::remove_all(dir_);
  }

  // Plays file at level (0 to 1000) and answers the loudest stretch of what came out.
  double RecordPlayback(GstMediaService& media, const std::string& file, int level) {
    std::string raw = dir_ + "/recorded.raw";
    fs::remove(raw);
    testing::LaunchOptions options;
    options.stdout_path = raw;
    testing::ChildProcess recorder;
    EXPECT_TRUE(recorder.Start({"parec", "-s", server_, "-d", "rec.monitor", "--raw",
                                "--format=s16le", "--rate=44100", "--channels=1",
                                // what the server plays reaches the file before it stops
                                "--latency-msec=20"},
                               options));
    // The open answers at once, so the sound may start before a slow recorder has begun.
    auto started = std::chrono::steady_clock::now() + 10s;
    std::error_code ec;
    while (std::chrono::steady_clock::now() < started && (fs::file_size(raw, ec) == 0 || ec)) {
      std::this_thread::sleep_for(20ms);
    }
    EXPECT_EQ(media.SendCommand("open " + file + " alias dd").code, 0);
    EXPECT_EQ(media.SendCommand("setaudio dd volume to " + std::to_string(level)).code, 0);
    EXPECT_EQ(media.SendCommand("play dd").code, 0);
    auto deadline = std::chrono::steady_clock::now() + 10s;
    while (std::chrono::steady_clock::now() < deadline &&
           media.SendCommand("status dd position").reply !=
               media.SendCommand("status dd length").reply) {
      std::this_thread::sleep_for(20ms);
    }
    std::this_thread::sleep_for(300ms);  // what is still on its way through the server
    media.SendCommand("close dd");
    recorder.Stop();
    return LoudestRms(raw);
  }

  std::string dir_;
  std::string server_;
  std::optional<testing::ChildProcess> daemon_;
};

TEST_F(PulseOutputTest, SoundsReachTheServerAtTheirLevelAndMidiHasItsInstruments) {
  ScopedEnv pulse("PULSE_SERVER", server_);
  // MIDI must not depend on where the data directories point.
  ScopedEnv data("XDG_DATA_DIRS", dir_ + "/nodata");
  GstMediaOptions options;
  options.open_timeout_ms = 20000;  // a loaded machine must not fail the test
  GstMediaService media(options);
  ASSERT_EQ(media.AudioSink(), "pulsesink");

  double full = RecordPlayback(media, dir_ + "/tone.wav", 1000);
  EXPECT_NEAR(full, 0.5 / std::sqrt(2.0), 0.05);  // a sine of amplitude 0.5, unchanged
  // Half the level is an eighth of the amplitude: the cubic curve of a fade that sounds even.
  double half = RecordPlayback(media, dir_ + "/tone.wav", 500);
  EXPECT_NEAR(half / full, 0.125, 0.03);
  double silent = RecordPlayback(media, dir_ + "/tone.wav", 0);
  EXPECT_LT(silent, 0.001);

  double midi = RecordPlayback(media, dir_ + "/start.mid", 1000);
  EXPECT_GT(midi, 0.03) << "the synthesiser played too quietly, or without a soundfont";
}

TEST_F(PulseOutputTest, WithoutAServerTheServiceChoosesSilence) {
  if (fs::exists("/dev/snd")) GTEST_SKIP() << "this machine has a sound card";
  ScopedEnv pulse("PULSE_SERVER", "unix:" + dir_ + "/nobody-listens");
  GstMediaService media;
  EXPECT_EQ(media.AudioSink(), "fakesink");
}

}  // namespace
}  // namespace somnara::platform
