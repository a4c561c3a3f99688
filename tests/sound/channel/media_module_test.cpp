// The sound channel's operations: the command texts they send and what they make of the
// answers.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "framework/exceptions.h"
#include "platform/media_error.h"
#include "platform/media_service.h"
#include "sound/channel/sound_channel_fixture.h"
#include "sound/media.h"
#include "sound/program_file.h"

namespace somnara::sound {
namespace {

using ::testing::ElementsAre;

constexpr char kOutOfRange[] =
    "\xE9\x9F\xB3\xE9\x87\x8F\xE8\xAE\xBE\xE7\xBD\xAE\xE8\xB6\x85\xE5"
    "\x87\xBA\xE8\x8C\x83\xE5\x9B\xB4";                // 音量设置超出范围
constexpr char kError[] = "\xE9\x94\x99\xE8\xAF\xAF";  // 错误

class MediaModuleTest : public testing::SoundChannelTest {
 protected:
  MediaModuleTest() { AddSound("/prog/sound/start.mid", "/prog/sound/start.mid", 4000); }
};

TEST_F(MediaModuleTest, TextOperationsSendTheirCommandsAndAnswerOk) {
  EXPECT_EQ(MediaOpen("dd", "/prog/sound/start.mid", "MPEGVideo"), "ok");
  EXPECT_EQ(MediaSetVolume("dd", 100), "ok");
  EXPECT_EQ(MediaPlay("dd"), "ok");
  EXPECT_EQ(MediaStop("dd"), "ok");
  EXPECT_EQ(MediaClose("dd"), "ok");
  EXPECT_EQ(MediaCloseAll(), "ok");
  EXPECT_THAT(Commands(), ElementsAre("open /prog/sound/start.mid type MPEGVideo Alias dd",
                                      "setaudio dd Volume to 1000", "play dd", "Stop dd",
                                      "Close dd", "Close All"));
}

TEST_F(MediaModuleTest, FailuresAnswerTheServicesErrorText) {
  std::string not_open = media_.ErrorText(static_cast<int>(platform::MediaError::kAliasNotOpen));
  EXPECT_EQ(MediaPlay("dd"), not_open);
  EXPECT_EQ(MediaStop("dd"), not_open);
  EXPECT_EQ(MediaClose("dd"), not_open);
  EXPECT_EQ(MediaSetVolume("dd", 50), not_open);
}

TEST_F(MediaModuleTest, OpenSendsTheShortFormInLowerCase) {
  AddSound("/prog/My Sounds/SNatural.dll", "/prog/MYSOUN~1/SNatural.dll", 1000);
  EXPECT_EQ(MediaOpen("dd", "/prog/My Sounds/SNatural.dll", "MPEGVideo"), "ok");
  EXPECT_THAT(Commands(), ElementsAre("open /prog/mysoun~1/snatural.dll type MPEGVideo Alias dd"));
  EXPECT_EQ(MediaShortPath("/prog/My Sounds/SNatural.dll"), "/prog/mysoun~1/snatural.dll");
}

TEST_F(MediaModuleTest, ShortPathLowersOnlyTheLettersAToZ) {
  short_paths_.AddFile("/x", "/ÄB~1/ÉTÉ.WAV");
  EXPECT_EQ(MediaShortPath("/x"), "/Äb~1/ÉtÉ.wav");
}

TEST_F(MediaModuleTest, ShortPathFailsForAMissingFileAndForAnOverlongResult) {
  EXPECT_EQ(MediaShortPath("/prog/none.dll"), kError);
  short_paths_.AddFile("/long258", "/" + std::string(257, 'a'));
  short_paths_.AddFile("/long259", "/" + std::string(258, 'a'));
  EXPECT_EQ(MediaShortPath("/long258").size(), 258u);
  EXPECT_EQ(MediaShortPath("/long259"), kError);
}

TEST_F(MediaModuleTest, OpenOfAMissingFileFailsAndSoDoesThePlayAfterIt) {
  std::string opened = MediaOpen("dd", "/prog/none.dll", "MPEGVideo");
  EXPECT_EQ(opened, media_.ErrorText(static_cast<int>(platform::MediaError::kFileNotFound)));
  EXPECT_NE(MediaPlay("dd"), "ok");
  EXPECT_THAT(Commands(),
              ElementsAre(std::string("open ") + kError + " type MPEGVideo Alias dd", "play dd"));
}

TEST_F(MediaModuleTest, SetVolumeSendsTenTimesTheLevelWithinZeroToHundred) {
  MediaOpen("dd", "/prog/sound/start.mid", "MPEGVideo");
  media_.ClearLog();
  EXPECT_EQ(MediaSetVolume("dd", 0), "ok");
  EXPECT_EQ(MediaSetVolume("dd", 37), "ok");
  EXPECT_EQ(MediaSetVolume("dd", 100), "ok");
  EXPECT_EQ(MediaSetVolume("dd", -1), kOutOfRange);
  EXPECT_EQ(MediaSetVolume("dd", 101), kOutOfRange);
  EXPECT_EQ(MediaSetVolume("never-opened", 200), kOutOfRange);
  EXPECT_THAT(Commands(), ElementsAre("setaudio dd Volume to 0", "setaudio dd Volume to 370",
                                      "setaudio dd Volume to 1000"));
}

TEST_F(MediaModuleTest, GetVolumeAnswersTheDeviceVolumeDividedByTen) {
  MediaOpen("dd", "/prog/sound/start.mid", "MPEGVideo");
  EXPECT_EQ(MediaGetVolume("dd"), 100);
  MediaSetVolume("dd", 37);
  EXPECT_EQ(MediaGetVolume("dd"), 37);
  MediaSetVolume("dd", 0);
  EXPECT_EQ(MediaGetVolume("dd"), 0);
  EXPECT_EQ(Commands().back(), "status dd volume");
}

TEST_F(MediaModuleTest, LengthSetsTheTimeFormatFirstAndPositionAsksOnce) {
  MediaOpen("dd", "/prog/sound/start.mid", "MPEGVideo");
  MediaPlay("dd");
  clock_.Advance(1500);
  media_.ClearLog();
  EXPECT_EQ(MediaLength("dd"), 4000);
  EXPECT_EQ(MediaPosition("dd"), 1500);
  EXPECT_THAT(Commands(), ElementsAre("set dd time format milliseconds", "status dd length",
                                      "status dd position"));
}

TEST_F(MediaModuleTest, NumberQueriesOnAnAliasThatIsNotOpenAnswerMinusOne) {
  EXPECT_EQ(MediaLength("dd"), -1);
  EXPECT_EQ(MediaPosition("dd"), -1);
  EXPECT_EQ(MediaGetVolume("dd"), -1);
  // The time format command failed too, and the length query was still sent.
  EXPECT_THAT(Commands(), ElementsAre("set dd time format milliseconds", "status dd length",
                                      "status dd position", "status dd volume"));
}

TEST_F(MediaModuleTest, ProgramFilesAreAddressedFromTheProgramDirectory) {
  EXPECT_EQ(ProgramFile("\\sound\\start.mid"), "/prog/sound/start.mid");
  EXPECT_EQ(ProgramFile("\\SNatural.dll"), "/prog/SNatural.dll");
  EXPECT_EQ(ProgramFile(""), "/prog");
}

// A media service that answers every command with the same reply, or the same failure.
class ScriptedMedia : public platform::MediaService {
 public:
  platform::MediaResult SendCommand(const std::string& command) override {
    sent.push_back(command);
    return result;
  }
  std::string ErrorText(int code) const override { return error_text; }

  platform::MediaResult result;
  std::string error_text;
  std::vector<std::string> sent;
};

class ScriptedMediaTest : public ::testing::Test {
 protected:
  ScriptedMediaTest() {
    saved_ = platform::Current();
    platform::Services services = saved_;
    services.media = &media_;
    platform::Install(services);
  }
  ~ScriptedMediaTest() override { platform::Install(saved_); }

  ScriptedMedia media_;

 private:
  platform::Services saved_;
};

TEST_F(ScriptedMediaTest, AnAnswerThatIsNoWholeNumberRaisesTheConversionError) {
  // 2^64 + 1 would wrap round to 1 in a conversion that let the number grow unchecked.
  for (const char* reply :
       {"12a", "", " 12", "1.5", "4294967296", "2147483648", "+", "--1", "18446744073709551617"}) {
    media_.result = {0, reply};
    try {
      MediaPosition("dd");
      ADD_FAILURE() << "no error for '" << reply << "'";
    } catch (const fw::ConvertError& e) {
      EXPECT_EQ(std::string(e.what()), std::string("'") + reply + "' is not a valid integer value");
    }
  }
  media_.result = {0, "banana"};
  EXPECT_THROW(MediaLength("dd"), fw::ConvertError);
  EXPECT_THROW(MediaGetVolume("dd"), fw::ConvertError);
}

TEST_F(ScriptedMediaTest, WholeNumbersInEveryFormAreTaken) {
  media_.result = {0, "-2147483648"};
  EXPECT_EQ(MediaPosition("dd"), -2147483648LL);
  media_.result = {0, "+2147483647"};
  EXPECT_EQ(MediaLength("dd"), 2147483647);
  media_.result = {0, "0379"};
  EXPECT_EQ(MediaGetVolume("dd"), 37);
}

TEST_F(ScriptedMediaTest, AFailedQueryAnswersMinusOneWhateverItsReply) {
  media_.result = {263, "not a number"};
  EXPECT_EQ(MediaPosition("dd"), -1);
  EXPECT_EQ(MediaLength("dd"), -1);
  EXPECT_EQ(MediaGetVolume("dd"), -1);
}

TEST_F(ScriptedMediaTest, ErrorTextsAreCutToTheReplyBuffer) {
  media_.result = {5, ""};
  media_.error_text = std::string(200, 'e');
  EXPECT_EQ(MediaPlay("dd"), std::string(127, 'e'));
  // A character is not split where the buffer ends.
  media_.error_text = std::string(126, 'e') + "\xE9\x94\x99";
  EXPECT_EQ(MediaPlay("dd"), std::string(126, 'e'));
  media_.error_text = "short";
  EXPECT_EQ(MediaCloseAll(), "short");
}

TEST(MediaWithoutServicesTest, NothingInstalledFailsQuietly) {
  platform::Services saved = platform::Current();
  platform::Install(platform::Services{});
  EXPECT_NE(MediaPlay("dd"), "ok");
  EXPECT_EQ(MediaPosition("dd"), -1);
  EXPECT_EQ(MediaShortPath("/anything"), kError);
  platform::Install(saved);
}

}  // namespace
}  // namespace somnara::sound
