// The command language shared by every media backend, driven through the headless one.
#include <gtest/gtest.h>

#include <set>

#include "sound/channel/manual_clock.h"
#include "platform/headless/headless_media_service.h"
#include "platform/media_error.h"

namespace somnara::platform {
namespace {

int Code(MediaError e) {
  return static_cast<int>(e);
}

class MediaServiceTest : public ::testing::Test {
 protected:
  MediaServiceTest() : media_(clock_) { media_.AddTrack("/p/tune.mid", 5000); }

  MediaResult Send(const std::string& command) { return media_.SendCommand(command); }

  testing::ManualClock clock_;
  HeadlessMediaService media_;
};

TEST_F(MediaServiceTest, KeywordsAndAliasesIgnoreLetterCase) {
  ASSERT_EQ(Send("OPEN /p/tune.mid TYPE mpegvideo ALIAS Dd").code, 0);
  EXPECT_EQ(Send("Set dD Time Format MilliSeconds").code, 0);
  EXPECT_EQ(Send("STATUS DD LENGTH").reply, "5000");
  EXPECT_EQ(Send("SetAudio dd VOLUME TO 250").code, 0);
  EXPECT_EQ(Send("status dd volume").reply, "250");
  EXPECT_EQ(Send("Play DD").code, 0);
  EXPECT_EQ(Send("status dd mode").reply, "playing");
  EXPECT_EQ(Send("Stop dd").code, 0);
  EXPECT_EQ(Send("status dd mode").reply, "stopped");
  EXPECT_EQ(Send("CLOSE dd").code, 0);
  EXPECT_EQ(Send("status dd length").code, Code(MediaError::kAliasNotOpen));
}

TEST_F(MediaServiceTest, ElementsMatchWithoutRegardToCase) {
  EXPECT_EQ(Send("open /P/Tune.MID type MPEGVideo alias dd").code, 0);
  EXPECT_EQ(media_.OpenElement("DD"), "/P/Tune.MID");
}

TEST_F(MediaServiceTest, EveryCommandOnAnAliasThatIsNotOpenFails) {
  for (const char* command : {"play dd", "stop dd", "close dd", "setaudio dd volume to 5",
                              "set dd time format milliseconds", "status dd length",
                              "status dd position", "status dd volume", "status dd mode"}) {
    MediaResult result = Send(command);
    EXPECT_EQ(result.code, Code(MediaError::kAliasNotOpen)) << command;
    EXPECT_EQ(result.reply, "") << command;
  }
}

TEST_F(MediaServiceTest, OpeningFailsForATakenAliasAndForWhatIsNoTrack) {
  ASSERT_EQ(Send("open /p/tune.mid type MPEGVideo alias dd").code, 0);
  EXPECT_EQ(Send("open /p/tune.mid type MPEGVideo alias dd").code, Code(MediaError::kAliasInUse));
  EXPECT_EQ(Send("open /p/none.mid type MPEGVideo alias ee").code, Code(MediaError::kFileNotFound));
  EXPECT_EQ(Send("open 错误 type MPEGVideo alias ee").code, Code(MediaError::kFileNotFound));
  EXPECT_EQ(Send("open /p/tune.mid type cdaudio alias ee").code,
            Code(MediaError::kUnknownDeviceType));
  EXPECT_EQ(Send("open /p/tune.mid type MPEGVideo alias all").code,
            Code(MediaError::kReservedAlias));
  EXPECT_EQ(media_.OpenAliases(), std::vector<std::string>{"dd"});
}

TEST_F(MediaServiceTest, OpenWithoutAliasNamesTheDeviceByItsElement) {
  ASSERT_EQ(Send("open /p/tune.mid").code, 0);
  EXPECT_EQ(Send("status /p/tune.mid length").reply, "5000");
}

TEST_F(MediaServiceTest, CloseAllClosesEveryDeviceAndSucceedsWithNoneOpen) {
  media_.AddTrack("/p/b.wav", 10);
  ASSERT_EQ(Send("open /p/tune.mid alias a").code, 0);
  ASSERT_EQ(Send("open /p/b.wav alias b").code, 0);
  EXPECT_EQ(Send("close all").code, 0);
  EXPECT_TRUE(media_.OpenAliases().empty());
  EXPECT_EQ(Send("Close All").code, 0);
}

TEST_F(MediaServiceTest, MalformedCommandsFailEachWithItsOwnReason) {
  ASSERT_EQ(Send("open /p/tune.mid alias dd").code, 0);
  struct Case {
    const char* command;
    MediaError error;
  };
  for (const Case& c : {
           Case{"", MediaError::kEmptyCommand},
           Case{"   \t ", MediaError::kEmptyCommand},
           Case{"rewind dd", MediaError::kUnknownCommand},
           Case{"play", MediaError::kMissingParameter},
           Case{"open", MediaError::kMissingParameter},
           Case{"open /p/tune.mid alias", MediaError::kMissingParameter},
           Case{"open /p/tune.mid shareable alias x", MediaError::kUnknownKeyword},
           Case{"open /p/tune.mid alias x alias y", MediaError::kDuplicateKeyword},
           Case{"play dd from 0", MediaError::kUnknownKeyword},
           Case{"close all now", MediaError::kUnknownKeyword},
           Case{"setaudio dd volume to", MediaError::kMissingParameter},
           Case{"setaudio dd treble to 5", MediaError::kUnknownKeyword},
           Case{"setaudio dd volume to -5", MediaError::kBadNumber},
           Case{"setaudio dd volume to 5x", MediaError::kBadNumber},
           Case{"setaudio dd volume to 99999999999", MediaError::kBadNumber},
           Case{"setaudio dd volume to 1001", MediaError::kVolumeOutOfRange},
           Case{"set dd time format frames", MediaError::kUnsupportedTimeFormat},
           Case{"set dd door open", MediaError::kUnknownKeyword},
           Case{"status dd", MediaError::kMissingParameter},
           Case{"status dd colour", MediaError::kUnknownStatusItem},
           Case{"status dd length now", MediaError::kUnknownKeyword},
       }) {
    EXPECT_EQ(Send(c.command).code, Code(c.error)) << '"' << c.command << '"';
  }
  // None of them disturbed the open device.
  EXPECT_EQ(Send("status dd volume").reply, "1000");
}

TEST_F(MediaServiceTest, ErrorTextsAreDistinctReadableAndFitTheReplyBuffer) {
  std::set<std::string> texts;
  for (int code = 1; code <= kLastMediaError; ++code) {
    std::string text = media_.ErrorText(code);
    EXPECT_FALSE(text.empty());
    EXPECT_LT(text.size(), 128u);
    EXPECT_TRUE(texts.insert(text).second) << "shared text: " << text;
  }
  EXPECT_EQ(media_.ErrorText(9999), "Unknown media error 9999.");
  EXPECT_EQ(texts.count(media_.ErrorText(-3)), 0u);
}

TEST_F(MediaServiceTest, VolumeIsFullAfterOpenAndAnswersTheLevelLastSet) {
  ASSERT_EQ(Send("open /p/tune.mid alias dd").code, 0);
  EXPECT_EQ(Send("status dd volume").reply, "1000");
  for (const char* level : {"0", "370", "1000", "007"}) {
    ASSERT_EQ(Send(std::string("setaudio dd volume to ") + level).code, 0);
    EXPECT_EQ(Send("status dd volume").reply, std::to_string(std::stoi(level)));
  }
  ASSERT_EQ(Send("setaudio dd volume to 1001").code, Code(MediaError::kVolumeOutOfRange));
  EXPECT_EQ(Send("status dd volume").reply, "7");
  // A fresh open starts at full volume again.
  Send("close dd");
  Send("open /p/tune.mid alias dd");
  EXPECT_EQ(Send("status dd volume").reply, "1000");
}

TEST_F(MediaServiceTest, PositionFollowsTheClockAndStopsAtTheEnd) {
  ASSERT_EQ(Send("open /p/tune.mid alias dd").code, 0);
  clock_.Advance(700);
  EXPECT_EQ(Send("status dd position").reply, "0");  // opened, not playing
  Send("play dd");
  clock_.Advance(1200);
  EXPECT_EQ(Send("status dd position").reply, "1200");
  Send("stop dd");
  clock_.Advance(3000);
  EXPECT_EQ(Send("status dd position").reply, "1200");  // stop keeps the place
  Send("play dd");
  clock_.Advance(3799);
  EXPECT_EQ(Send("status dd position").reply, "4999");
  EXPECT_EQ(Send("status dd mode").reply, "playing");
  clock_.Advance(1);
  EXPECT_EQ(Send("status dd position").reply, "5000");
  EXPECT_EQ(Send("status dd mode").reply, "stopped");
  clock_.Advance(10000);
  EXPECT_EQ(Send("status dd position").reply, Send("status dd length").reply);
  // Play at the end starts the track over.
  Send("play dd");
  clock_.Advance(10);
  EXPECT_EQ(Send("status dd position").reply, "10");
}

TEST_F(MediaServiceTest, LogRecordsEveryCommandWithTheClockTimeAndItsCode) {
  Send("open /p/tune.mid alias dd");
  clock_.Advance(250);
  Send("play dd");
  Send("bogus");
  const auto& log = media_.Log();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].command, "open /p/tune.mid alias dd");
  EXPECT_EQ(log[0].time_ms, 1000);
  EXPECT_EQ(log[0].code, 0);
  EXPECT_EQ(log[1].time_ms, 1250);
  EXPECT_EQ(log[2].code, Code(MediaError::kUnknownCommand));
  media_.ClearLog();
  EXPECT_TRUE(media_.Log().empty());
}

}  // namespace
}  // namespace somnara::platform
