// The GStreamer media service on real files, played in silence at real speed.
#include "platform/linux/media/gst_media_service.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/gstreamer/sound_files.h"
#include "platform/media_error.h"

namespace somnara::platform {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

int Code(MediaError e) {
  return static_cast<int>(e);
}

int64_t MsSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

class GstMediaServiceTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    char pattern[] = "/tmp/smgstXXXXXX";
    dir_ = new std::string(mkdtemp(pattern));
    fs::create_directories(Dir() + "/My Sounds");
    testing::WriteWav(Dir() + "/tone.wav", 800);
    testing::WriteWav(Dir() + "/My Sounds/SNatural2.dll", 300);
    testing::WriteMidi(Dir() + "/start.mid");
    has_ogg_ = testing::EncodeTone(Dir() + "/tone.ogg", 1000, "vorbisenc ! oggmux");
    has_mp3_ = testing::EncodeTone(Dir() + "/tone.mp3", 700, "lamemp3enc") &&
               testing::EncodeTone(Dir() + "/long.mp3", 2500, "lamemp3enc", 2);
    testing::WriteText(Dir() + "/notes.txt", "This is not a sound at all.\n");
  }
  static void TearDownTestSuite() {
    fs::remove_all(*dir_);
    delete dir_;
  }
  static const std::string& Dir() { return *dir_; }

  GstMediaServiceTest() : media_(SilentOptions()) {}

  static GstMediaOptions SilentOptions() {
    GstMediaOptions options;
    options.output = GstMediaOptions::Output::kSilent;
    // Opening is fast (the bench measures it), but a loaded machine must not fail a test.
    options.open_timeout_ms = 20000;
    return options;
  }

  MediaResult Send(const std::string& command) { return media_.SendCommand(command); }
  int64_t Status(const std::string& item) {
    MediaResult result = Send("status dd " + item);
    EXPECT_EQ(result.code, 0) << item;
    return result.code == 0 ? std::stoll(result.reply) : -1;
  }
  int Open(const std::string& file) {
    return Send("open " + file + " type MPEGVideo alias dd").code;
  }

  // Polls as the loop timer does (position, then length) until they are equal or
  // limit_ms has passed; returns the time it took, or -1. Fails the test if the position
  // ever went back or went past the length.
  int64_t PlayToEnd(int64_t limit_ms) {
    auto start = Clock::now();
    int64_t last = -1;
    while (MsSince(start) < limit_ms) {
      int64_t position = Status("position");
      int64_t length = Status("length");
      EXPECT_GE(position, last);
      // Beyond an estimated length before the end, a position could pass for the end.
      EXPECT_LE(position, length);
      last = position;
      if (position == length) return MsSince(start);
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
  }

  static std::string* dir_;
  static bool has_ogg_;
  static bool has_mp3_;
  GstMediaService media_;
};

std::string* GstMediaServiceTest::dir_ = nullptr;
bool GstMediaServiceTest::has_ogg_ = false;
bool GstMediaServiceTest::has_mp3_ = false;

TEST_F(GstMediaServiceTest, ForcedSilenceUsesTheFakeSink) {
  EXPECT_EQ(media_.AudioSink(), "fakesink");
}

TEST_F(GstMediaServiceTest, LengthsOfEachFormatAreFoundFromTheContent) {
  ASSERT_TRUE(has_ogg_ && has_mp3_) << "gst-launch-1.0 could not encode the test files";
  struct Case {
    std::string file;
    int64_t length_ms;
    int64_t tolerance_ms;
  };
  for (const Case& c : {Case{Dir() + "/tone.wav", 800, 0}, Case{Dir() + "/tone.ogg", 1000, 5},
                        Case{Dir() + "/tone.mp3", 700, 60},
                        Case{Dir() + "/start.mid", testing::kMidiLengthMs, 5}}) {
    ASSERT_EQ(Open(c.file), 0) << c.file;
    EXPECT_NEAR(Status("length"), c.length_ms, c.tolerance_ms) << c.file;
    EXPECT_EQ(Status("position"), 0) << c.file;
    EXPECT_EQ(Status("volume"), 1000) << c.file;
    ASSERT_EQ(Send("close dd").code, 0);
  }
}

TEST_F(GstMediaServiceTest, AudioNamedLikeALibraryPlaysAndShortNamesFindIt) {
  // The program sends the short form in lower case; the file system is case-sensitive.
  ASSERT_EQ(Open(Dir() + "/mysoun~1/snatur~1.dll"), 0);
  EXPECT_EQ(Status("length"), 300);
  Send("close dd");
  ASSERT_EQ(Open(Dir() + "/my sounds/snatural2.DLL"), Code(MediaError::kUnknownKeyword))
      << "a blank splits the element";
  ASSERT_EQ(Open(Dir() + "/MY~SOUNDS/snatural2.dll"), Code(MediaError::kFileNotFound));
}

TEST_F(GstMediaServiceTest, PositionAdvancesInRealTimeAndStopKeepsIt) {
  ASSERT_EQ(Open(Dir() + "/tone.wav"), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  EXPECT_EQ(Status("position"), 0) << "opened is not playing";
  ASSERT_EQ(Send("play dd").code, 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  int64_t played = Status("position");
  EXPECT_GE(played, 200);
  EXPECT_LE(played, 600);
  ASSERT_EQ(Send("stop dd").code, 0);
  int64_t stopped = Status("position");
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(Status("position"), stopped);
  EXPECT_EQ(Send("status dd mode").reply, "stopped");
  ASSERT_EQ(Send("play dd").code, 0);
  EXPECT_EQ(Send("status dd mode").reply, "playing");
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_GT(Status("position"), stopped);
}

TEST_F(GstMediaServiceTest, TheEndIsPositionEqualToLengthAndComesNoEarlier) {
  ASSERT_EQ(Open(Dir() + "/tone.wav"), 0);
  ASSERT_EQ(Send("play dd").code, 0);
  int64_t took = PlayToEnd(3000);
  ASSERT_GE(took, 0) << "the end was never reported";
  EXPECT_GE(took, 700);
  EXPECT_EQ(Status("position"), 800);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(Status("position"), Status("length"));
  EXPECT_EQ(Send("status dd mode").reply, "stopped");
}

TEST_F(GstMediaServiceTest, AnMp3WhoseLengthIsOnlyEstimatedEndsWithItsStream) {
  // Without a length header the parser guesses the duration from the frames it has seen
  // so far, and the guess falls short until the stream has been read.
  ASSERT_TRUE(has_mp3_);
  ASSERT_EQ(Open(Dir() + "/long.mp3"), 0);
  ASSERT_EQ(Send("play dd").code, 0);
  int64_t took = PlayToEnd(6000);
  ASSERT_GE(took, 0);
  EXPECT_GE(took, 2400);
  EXPECT_NEAR(Status("length"), 2500, 100);
}

TEST_F(GstMediaServiceTest, MidiPlaysToItsEnd) {
  ASSERT_EQ(Open(Dir() + "/start.mid"), 0);
  // Ready first: the limit below is for the playing, not for loading the soundfont.
  EXPECT_NEAR(Status("length"), testing::kMidiLengthMs, 5);
  ASSERT_EQ(Send("play dd").code, 0);
  int64_t took = PlayToEnd(3000);
  ASSERT_GE(took, 0);
  EXPECT_GE(took, testing::kMidiLengthMs - 100);
}

// The loop closes a track at its end and opens the same file again: it gets the same
// pipeline back, as good as new. Anything else between the close and the open, a track
// closed before its end or another file, gets a pipeline of its own.
TEST_F(GstMediaServiceTest, ATrackReopenedAfterItsEndPlaysAgainFromTheStart) {
  ASSERT_EQ(Open(Dir() + "/mysoun~1/snatur~1.dll"), 0);
  Send("setaudio dd volume to 200");
  Send("play dd");
  ASSERT_GE(PlayToEnd(3000), 0);
  ASSERT_EQ(Send("close dd").code, 0);
  ASSERT_EQ(Open(Dir() + "/mysoun~1/snatur~1.dll"), 0);
  EXPECT_EQ(media_.PipelinesBuilt(), 1u);
  EXPECT_EQ(Status("position"), 0);
  EXPECT_EQ(Status("volume"), 1000);
  EXPECT_EQ(Send("status dd mode").reply, "stopped");
  ASSERT_EQ(Send("play dd").code, 0);
  EXPECT_LT(Status("position"), 150);
  ASSERT_GE(PlayToEnd(3000), 200);
  ASSERT_EQ(Send("close dd").code, 0);
  Send("status dd mode");
  ASSERT_EQ(Open(Dir() + "/mysoun~1/snatur~1.dll"), 0);
  EXPECT_EQ(media_.PipelinesBuilt(), 2u);
  ASSERT_EQ(Send("play dd").code, 0);
  ASSERT_EQ(Send("close dd").code, 0);
  ASSERT_EQ(Open(Dir() + "/mysoun~1/snatur~1.dll"), 0);
  EXPECT_EQ(media_.PipelinesBuilt(), 3u);
  ASSERT_EQ(Send("play dd").code, 0);
  ASSERT_GE(PlayToEnd(3000), 200);
  // Play on a track at its end starts it over, too.
  ASSERT_EQ(Send("play dd").code, 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_LT(Status("position"), Status("length"));
}

TEST_F(GstMediaServiceTest, VolumeAnswersTheLevelLastSet) {
  ASSERT_EQ(Open(Dir() + "/tone.wav"), 0);
  EXPECT_EQ(Status("volume"), 1000);
  for (int level : {370, 0, 1000, 1}) {
    ASSERT_EQ(Send("setaudio dd volume to " + std::to_string(level)).code, 0);
    EXPECT_EQ(Status("volume"), level);
  }
  EXPECT_EQ(Send("setaudio dd volume to 1001").code, Code(MediaError::kVolumeOutOfRange));
  EXPECT_EQ(Status("volume"), 1);
}

TEST_F(GstMediaServiceTest, AnOpenAnswersBeforeTheFileIsReadyAndTheLengthWaitsWithinTheBound) {
  // The synthesiser loads its soundfont while the file gets ready: the slowest there is.
  // The open answers once the content is known to be sound; the length waits for the rest.
  // A first open waits for GStreamer to start; that is not what is measured here.
  ASSERT_EQ(Open(Dir() + "/tone.wav"), 0);
  Send("close dd");
  auto start = Clock::now();
  ASSERT_EQ(Open(Dir() + "/start.mid"), 0);
  const int64_t open_ms = MsSince(start);
  EXPECT_NEAR(Status("length"), testing::kMidiLengthMs, 5);
  const int64_t ready_ms = MsSince(start);
  EXPECT_LT(open_ms * 4, ready_ms) << "the open waited for the soundfont";
  Send("close dd");

  // A file not ready within the bound: the length stops waiting at the bound, and closing
  // does not wait for the loading either.
  GstMediaOptions impatient = SilentOptions();
  impatient.open_timeout_ms = int(std::max<int64_t>(1, ready_ms / 3));
  {
    GstMediaService media(impatient);
    start = Clock::now();
    const int code = media.SendCommand("open " + Dir() + "/start.mid alias dd").code;
    ASSERT_TRUE(code == 0 || code == Code(MediaError::kOpenTimedOut)) << code;
    if (code == 0) media.SendCommand("status dd length");
    media.SendCommand("close dd");
    EXPECT_LT(MsSince(start), ready_ms * 2 / 3) << "waited for the loading";
  }

  // Retried at once, as the loop timer would, the file is refused without a second wait
  // while the first attempt is still being released; afterwards it opens as usual.
  start = Clock::now();
  EXPECT_EQ(Open(Dir() + "/start.mid"), Code(MediaError::kOpenTimedOut));
  EXPECT_LT(MsSince(start), ready_ms / 2) << "the retry waited for the loading";
  int code = -1;
  for (start = Clock::now(); code != 0 && MsSince(start) < 20000;) {
    code = Open(Dir() + "/start.mid");
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  EXPECT_EQ(code, 0);
}

TEST_F(GstMediaServiceTest, FilesThatCannotPlayFailAtOnceWithTheirOwnCodes) {
  struct Case {
    std::string element;
    MediaError error;
  };
  for (const Case& c : {Case{Dir() + "/missing.wav", MediaError::kFileNotFound},
                        Case{"\xE9\x94\x99\xE8\xAF\xAF", MediaError::kFileNotFound},
                        Case{Dir(), MediaError::kFileNotFound},
                        Case{Dir() + "/notes.txt", MediaError::kNotPlayable}}) {
    auto start = Clock::now();
    EXPECT_EQ(Open(c.element), Code(c.error)) << c.element;
    EXPECT_LT(MsSince(start), 1500) << c.element << " waited for a time-out";
    EXPECT_EQ(Send("play dd").code, Code(MediaError::kAliasNotOpen));
  }
  ASSERT_EQ(Open(Dir() + "/tone.wav"), 0);
  EXPECT_EQ(Open(Dir() + "/tone.wav"), Code(MediaError::kAliasInUse));
  EXPECT_EQ(Send("close all").code, 0);
  EXPECT_EQ(Send("status dd position").code, Code(MediaError::kAliasNotOpen));
}

}  // namespace
}  // namespace somnara::platform
