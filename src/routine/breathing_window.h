#pragma once

#include "framework/form.h"

namespace somnara::fw {
class Button;
class Label;
class Timer;
}  // namespace somnara::fw

namespace somnara::routine {

// Step 5: a small black window asking for three deep breaths. Two seconds in it stops the
// guidance from being repeated (the guidance itself plays on to its end); after thirty
// seconds it fades out and opens the sleep window.
class TForm6 : public fw::Form {
 public:
  explicit TForm6(fw::Component* owner);
  static const fw::ClassInfo& StaticClassInfo();
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  fw::Label* lbl1 = nullptr;
  fw::Button* Button1 = nullptr;
  fw::Timer* Timer1 = nullptr;  // thirty seconds, then the fade-out
  fw::Timer* Timer2 = nullptr;  // fade-out and hand-over to the sleep window
  fw::Timer* Timer3 = nullptr;  // fade-in
  fw::Timer* Timer4 = nullptr;  // stops the guidance's repetition

  void Timer1Timer(fw::Component* sender);
  void Timer2Timer(fw::Component* sender);
  void Timer3Timer(fw::Component* sender);
  void Timer4Timer(fw::Component* sender);

  void Loaded() override;
};

}  // namespace somnara::routine
