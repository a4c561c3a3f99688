#include "routine/focus_window.h"

#include <charconv>

#include "framework/controls/button.h"
#include "framework/controls/image.h"
#include "framework/controls/label.h"
#include "framework/timer.h"
#include "routine/breathing_window.h"
#include "routine/program_windows.h"
#include "routine/routine_values.h"
#include "routine/window_fade.h"
#include "sound/current_sound.h"
#include "sound/media.h"
#include "sound/program_file.h"
#include "sound/sound_catalogue.h"

namespace somnara::routine {

using fw::Component;

namespace {
constexpr int kFocusTicks = 12;
constexpr int kFadeInStop = 255;

int TickCount(const std::string& text) {
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  // Only this window writes the text; anything else starts the count again.
  return error == std::errc() && end == text.data() + text.size() ? value : 0;
}
}  // namespace

const fw::ClassInfo& TForm5::StaticClassInfo() {
  static const fw::RegisteredClassInfo info = [] {
    fw::ClassInfo i("TForm5", &fw::Form::StaticClassInfo(),
                    [](Component* owner) { return new TForm5(owner); });
    i.AddHandler("Timer1Timer", fw::NotifyHandler(&TForm5::Timer1Timer));
    i.AddHandler("Timer2Timer", fw::NotifyHandler(&TForm5::Timer2Timer));
    i.AddHandler("Timer3Timer", fw::NotifyHandler(&TForm5::Timer3Timer));
    i.AddHandler("Timer4Timer", fw::NotifyHandler(&TForm5::Timer4Timer));
    i.AddHandler("Timer5Timer", fw::NotifyHandler(&TForm5::Timer5Timer));
    return i;
  }();
  return info;
}

TForm5::TForm5(Component* owner) : fw::Form(owner) {}

void TForm5::Loaded() {
  fw::Form::Loaded();
  Image2 = fw::Require<fw::Image>(*this, "Image2");
  lbl1 = fw::Require<fw::Label>(*this, "lbl1");
  Label1 = fw::Require<fw::Label>(*this, "Label1");
  Button1 = fw::Require<fw::Button>(*this, "Button1");
  Timer1 = fw::Require<fw::Timer>(*this, "Timer1");
  Timer2 = fw::Require<fw::Timer>(*this, "Timer2");
  Timer3 = fw::Require<fw::Timer>(*this, "Timer3");
  Timer4 = fw::Require<fw::Timer>(*this, "Timer4");
  Timer5 = fw::Require<fw::Timer>(*this, "Timer5");
}

void TForm5::Timer1Timer(Component*) {
  int ticks = TickCount(Label1->Caption()) + 1;
  Label1->SetCaption(std::to_string(ticks));
  if (ticks == kFocusTicks) {
    Timer1->SetEnabled(false);
    Timer2->SetEnabled(true);
  }
}

void TForm5::Timer2Timer(Component*) {
  FadeOutTick(*this, *Timer2, [this] {
    Timer4->SetEnabled(true);
    Close();
  });
}

// Once the window is opaque, the backdrop's picture and clock join it for the rest of the run.
void TForm5::Timer3Timer(Component*) {
  FadeInTick(*this, *Timer3, kFadeInStop, [] {
    if (RoutineBackdrop != nullptr) RoutineBackdrop->ShowPictureAndClock();
  });
}

void TForm5::Timer4Timer(Component*) {
  Timer4->SetEnabled(false);
  Form6 = new TForm6(this);
  Form6->AfterConstruction();
  Form6->ShowModal();
}

void TForm5::Timer5Timer(Component*) {
  lbl1->SetVisible(false);
  Timer5->SetEnabled(false);
  SetAlphaBlendValue(255);
  // A guidance that cannot play leaves the step silent; the results are not looked at.
  sound::MediaCloseAll();
  sound::CurrentSoundPath = sound::ProgramFile(sound::GuidanceSound);
  sound::MediaOpen(sound::kSoundAlias, sound::CurrentSoundPath, sound::kSoundDeviceType);
  sound::MediaPlay(sound::kSoundAlias);
  // From now on the guidance starts again whenever it has played to its end.
  if (RoutineBackdrop != nullptr) RoutineBackdrop->SetSoundLooping(true);
}

}  // namespace somnara::routine
