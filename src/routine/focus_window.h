#pragma once

#include "framework/form.h"

namespace somnara::fw {
class Button;
class Image;
class Label;
class Timer;
}  // namespace somnara::fw

namespace somnara::routine {

// Step 4: a black window with a large red striped disc to stare at for two minutes. Its
// text goes after ten seconds and the spoken guidance starts, repeated by the backdrop's
// loop timer; on the twelfth ten-second tick it fades out, closes, and a second later (its
// hand-over timer still runs in the closed window) opens the breathing window.
class TForm5 : public fw::Form {
 public:
  explicit TForm5(fw::Component* owner);
  static const fw::ClassInfo& StaticClassInfo();
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  fw::Image* Image2 = nullptr;
  fw::Label* lbl1 = nullptr;
  // Its text is the number of ten-second ticks so far.
  fw::Label* Label1 = nullptr;
  fw::Button* Button1 = nullptr;
  fw::Timer* Timer1 = nullptr;  // ten-second ticks
  fw::Timer* Timer2 = nullptr;  // fade-out
  fw::Timer* Timer3 = nullptr;  // fade-in
  fw::Timer* Timer4 = nullptr;  // hand-over to the breathing window
  fw::Timer* Timer5 = nullptr;  // guidance start

  void Timer1Timer(fw::Component* sender);
  void Timer2Timer(fw::Component* sender);
  void Timer3Timer(fw::Component* sender);
  void Timer4Timer(fw::Component* sender);
  void Timer5Timer(fw::Component* sender);

  void Loaded() override;
};

}  // namespace somnara::routine
