#include "routine/breathing_window.h"

#include "framework/controls/button.h"
#include "framework/controls/label.h"
#include "framework/timer.h"
#include "routine/program_windows.h"
#include "routine/routine_values.h"
#include "routine/sleep_window.h"
#include "routine/window_fade.h"

namespace somnara::routine {

using fw::Component;

namespace {
constexpr int kFadeInStop = 200;
}

const fw::ClassInfo& TForm6::StaticClassInfo() {
  static const fw::RegisteredClassInfo info = [] {
    fw::ClassInfo i("TForm6", &fw::Form::StaticClassInfo(),
                    [](Component* owner) { return new TForm6(owner); });
    i.AddHandler("Timer1Timer", fw::NotifyHandler(&TForm6::Timer1Timer));
    i.AddHandler("Timer2Timer", fw::NotifyHandler(&TForm6::Timer2Timer));
    i.AddHandler("Timer3Timer", fw::NotifyHandler(&TForm6::Timer3Timer));
    i.AddHandler("Timer4Timer", fw::NotifyHandler(&TForm6::Timer4Timer));
    return i;
  }();
  return info;
}

TForm6::TForm6(Component* owner) : fw::Form(owner) {}

void TForm6::Loaded() {
  fw::Form::Loaded();
  lbl1 = fw::Require<fw::Label>(*this, "lbl1");
  Button1 = fw::Require<fw::Button>(*this, "Button1");
  Timer1 = fw::Require<fw::Timer>(*this, "Timer1");
  Timer2 = fw::Require<fw::Timer>(*this, "Timer2");
  Timer3 = fw::Require<fw::Timer>(*this, "Timer3");
  Timer4 = fw::Require<fw::Timer>(*this, "Timer4");
}

void TForm6::Timer1Timer(Component*) {
  Timer1->SetEnabled(false);
  Timer2->SetEnabled(true);
}

// The sleep window's modal loop ends only as the program ends.
void TForm6::Timer2Timer(Component*) {
  FadeOutTick(*this, *Timer2, [this] {
    Form4 = new TForm4(this);
    Form4->AfterConstruction();
    Form4->ShowModal();
    Close();
  });
}

void TForm6::Timer3Timer(Component*) {
  FadeInTick(*this, *Timer3, kFadeInStop);
}

// The guidance is not stopped: it plays on to its end, and is then not started again.
void TForm6::Timer4Timer(Component*) {
  if (RoutineBackdrop != nullptr) RoutineBackdrop->SetSoundLooping(false);
  Timer4->SetEnabled(false);
}

}  // namespace somnara::routine
