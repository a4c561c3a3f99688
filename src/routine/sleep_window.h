#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/form.h"

namespace somnara::fw {
class Label;
class Timer;
}  // namespace somnara::fw

namespace somnara::platform {
class IdleInhibitor;
}

namespace somnara::skin {
class TsuiButton;
}

namespace somnara::routine {

// The last window of the routine. It reads the play time, the fading switch, the end
// command and the sound from the settings file when it is created, starts the sound thirty
// seconds later (repeated by the backdrop's loop timer), counts the play time down once a
// second, asks for the display to be switched off every thirty seconds, lowers the volume
// over the last hundred seconds, and at the end stops the sound, says good night, carries
// out the end command and ends the program six seconds later. Exit ends it at once.
//
// While it waits for the end, it holds an idle inhibitor so that the desktop's own idle
// timeout cannot suspend the computer first and cut the night short; the inhibitor is let
// go just before the end command runs, so that the command itself is never held back.
class TForm4 : public fw::Form {
 public:
  explicit TForm4(fw::Component* owner);
  ~TForm4() override;
  static const fw::ClassInfo& StaticClassInfo();
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  fw::Label* Label1 = nullptr;
  skin::TsuiButton* suiButton1 = nullptr;  // "Exit"
  fw::Timer* Timer1 = nullptr;             // display off, every 30 s
  fw::Timer* Timer2 = nullptr;             // one-shot: music and countdown start
  fw::Timer* Timer3 = nullptr;             // fade-in
  fw::Timer* Timer4 = nullptr;             // one-shot: starts the fade-in
  fw::Timer* fout = nullptr;               // volume fade-out
  fw::Timer* total = nullptr;              // countdown and end of the run

  void FormCreate(fw::Component* sender);
  void Timer1Timer(fw::Component* sender);
  void Timer2Timer(fw::Component* sender);
  void Timer3Timer(fw::Component* sender);
  void Timer4Timer(fw::Component* sender);
  void foutTimer(fw::Component* sender);
  void totalTimer(fw::Component* sender);
  void suiButton1Click(fw::Component* sender);

  void Loaded() override;

  // Whether the idle inhibitor is still held.
  bool HoldsIdleInhibitor() const { return idle_inhibitor_ != nullptr; }

 private:
  void ReleaseIdleInhibitor();
  void EndProgram();

  std::unique_ptr<platform::IdleInhibitor> idle_inhibitor_;
};

// The play time in minutes as seconds, in 32 bits: a product that does not fit is held at
// the nearest 32-bit limit, so a huge play time is a very long night and a hugely negative
// one ends at the first tick like any other negative play time.
int32_t MinutesToSeconds(int32_t minutes);

// A whole decimal number in 32 bits with an optional sign and nothing else; raises
// fw::ConvertError "'<text>' is not a valid integer value" for any other text.
int32_t StrictTextToInt(const std::string& text);

}  // namespace somnara::routine
