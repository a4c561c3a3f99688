#pragma once

#include <cctype>
#include <functional>
#include <string>
#include <vector>

#include "app/program_entry.h"
#include "platform/headless/recording_profile_store.h"
#include "program_fixture.h"
#include "routine/sleep_window.h"

namespace somnara::testing {

// The program with a sleep window opened over the main window at kT0, as the breathing
// step would, a log of every settings call and of every error box. A scripted step runs
// before the timers due at the same moment, so a check at kT0 + t sees the ticks before t.
class SleepWindowTest : public ProgramTest {
 protected:
  static constexpr int64_t kT0 = 1500;
  // The music starts and the countdown is switched on 30 s after creation.
  static constexpr int64_t kMusic = kT0 + 30000;

  void SetUp() override {
    ProgramTest::SetUp();
    platform::Services s = platform::Current();
    s.profiles = &recording;
    platform::Install(s);
    WriteFile("pend.gif", SmallAnimatedGif());
    AddTrack("sound/start.mid", 9000);
    fw::App().OnException = [this](const std::string& message) { errors.push_back(message); };
  }

  void Options(const std::string& lines) { WriteFile("option.ini", "[Option]\n" + lines); }
  void At(int64_t ms, std::function<void()> step) { windows.At(ms, std::move(step)); }

  // Opens the sleep window at kT0; a run that the window does not end stops at limit_ms.
  // Gives the moment the program ended.
  int64_t Run(int64_t limit_ms) {
    At(kT0, [] {
      Form4 = new routine::TForm4(Form1);
      Form4->AfterConstruction();
      Form4->ShowModal();
    });
    At(limit_ms, [] { fw::App().Terminate(); });
    app::RunProgram();
    return Now();
  }

  // Media commands from kT0 on, as "seconds-after-creation.milliseconds command", without
  // the loop timer's position and length queries.
  std::vector<std::string> Commands(bool with_volume_queries = true) const {
    std::vector<std::string> out;
    for (const auto& e : media.Log()) {
      if (e.time_ms < kT0) continue;
      const std::string& c = e.command;
      if (c.rfind("status dd position", 0) == 0 || c.rfind("status dd length", 0) == 0 ||
          c.rfind("set dd time format", 0) == 0)
        continue;
      if (!with_volume_queries && c == "status dd volume") continue;
      out.push_back(std::to_string(e.time_ms - kT0) + " " + c);
    }
    return out;
  }
  std::string Element(const std::string& relative) const {
    std::string s = ProgramPath(relative);
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
  }
  std::string OpenCommand(const std::string& relative) const {
    return "open " + Element(relative) + " type MPEGVideo Alias dd";
  }
  std::vector<std::string> SettingsCalls() const { return DescribeCalls(recording); }

  platform::RecordingProfileStore recording{profiles};
  std::vector<std::string> errors;
};

}  // namespace somnara::testing
