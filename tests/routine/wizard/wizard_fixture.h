#pragma once

#include <cerrno>
#include <fstream>
#include <functional>
#include <sstream>

#include "app/backdrop_window.h"
#include "app/main_window.h"
#include "app/program_entry.h"
#include "framework/control.h"
#include "framework/controls/speed_button.h"
#include "platform/headless/headless_system_volume.h"
#include "platform/headless/recording_profile_store.h"
#include "program_fixture.h"
#include "routine/wizard_window.h"
#include "skin/controls/tsui_button.h"
#include "skin/controls/tsui_group_box.h"
#include "skin/controls/tsui_track_bar.h"

namespace somnara::testing {

// The program with a wizard opened over the hidden main window at kOpen, as Start does, a
// system volume in memory and a log of every settings read and write. Steps are given in
// virtual milliseconds; a step runs before the timers due at the same moment.
class WizardTest : public ProgramTest {
 protected:
  static constexpr int64_t kOpen = 1500;

  void SetUp() override {
    ProgramTest::SetUp();
    platform::Services s = platform::Current();
    s.volume = &volume;
    s.profiles = &recording;
    platform::Install(s);
    WriteFile("pend.gif", SmallAnimatedGif());
    AddTrack("sound/start.mid", 9000);
    fw::App().OnException = [this](const std::string& message) { errors.push_back(message); };
  }

  // Opens the wizard at kOpen, runs the steps given with At(), ends the program at end_ms.
  void Run(int64_t end_ms) {
    windows.At(kOpen, [] {
      Form2->Hide();
      Form3 = new routine::TForm3(Form2);
      Form3->AfterConstruction();
      Form3->ShowModal();
    });
    windows.At(end_ms, [] { fw::App().Terminate(); });
    app::RunProgram();
  }
  void At(int64_t ms, std::function<void()> step) { windows.At(ms, std::move(step)); }

  // Input on a control of the wizard, by the control's name there once it exists.
  void ClickAt(int64_t ms, std::function<fw::Control*()> control, int x = -1, int y = -1) {
    windows.At(ms, [this, control, x, y] {
      fw::Control* c = control();
      windows.Click(c->ClientToScreen({x < 0 ? c->Width() / 2 : x, y < 0 ? c->Height() / 2 : y}));
    });
  }
  // OK, Next, Next, Next from `from` on, 100 ms apart.
  void ThroughTheWizard(int64_t from) {
    ClickAt(from, [] { return Form3->suiButton4; });
    ClickAt(from + 100, [] { return Form3->suiButton1; });
    ClickAt(from + 200, [] { return Form3->suiButton2; });
    ClickAt(from + 300, [] { return Form3->suiButton3; });
  }

  // "read key=value" / "write key=value" for every settings call, in order.
  std::vector<std::string> SettingsCalls() const { return DescribeCalls(recording); }
  // Transport commands (no status queries) as "command".
  std::vector<std::string> Commands(int64_t from = 0) const {
    std::vector<std::string> out;
    for (const auto& e : media.Log())
      if (e.time_ms >= from && e.command.rfind("status", 0) != 0 && e.command.rfind("set ", 0) != 0)
        out.push_back(e.command);
    return out;
  }
  std::string Element(const std::string& relative) const {
    std::string s = ProgramPath(relative);
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
  }

  platform::HeadlessSystemVolume volume{0x64006400u};
  platform::RecordingProfileStore recording{profiles};
  std::vector<std::string> errors;
};

}  // namespace somnara::testing
