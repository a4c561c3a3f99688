#pragma once

#include "framework/form.h"
#include "routine/program_windows.h"

namespace somnara::fw {
class Bevel;
class Image;
class Label;
class Timer;
}  // namespace somnara::fw

namespace somnara::app {

// The full-screen star backdrop: the application's main window for the whole run. It plays
// the start-up music, keeps the loop timer that restarts the current track, carries the clock
// and the small picture that the focus step reveals, and opens the main window a second after
// start. The routine's windows reach it as their routine::Backdrop.
class TForm1 : public fw::Form, public routine::Backdrop {
 public:
  explicit TForm1(fw::Component* owner);
  static const fw::ClassInfo& StaticClassInfo();
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  fw::Label* Label1 = nullptr;
  fw::Image* Image1 = nullptr;
  fw::Image* Image2 = nullptr;
  fw::Bevel* Bevel1 = nullptr;
  fw::Timer* Timer2 = nullptr;
  fw::Timer* Timer3 = nullptr;
  fw::Timer* Timer4 = nullptr;

  void FormCreate(fw::Component* sender);
  void FormShow(fw::Component* sender);
  void Timer2Timer(fw::Component* sender);
  void Timer3Timer(fw::Component* sender);
  void Timer4Timer(fw::Component* sender);

  void Loaded() override;

  void ShowPictureAndClock() override;
  void SetSoundLooping(bool on) override;

 protected:
  void WndProc(fw::Message& message) override;

 private:
  void UseTileAsBackground();
  void StartMusic();
};

}  // namespace somnara::app
