#include "app/backdrop_window.h"

#include <memory>

#include "app/main_window.h"
#include "app/program_values.h"
#include "framework/application.h"
#include "framework/controls/bevel.h"
#include "framework/controls/image.h"
#include "framework/controls/label.h"
#include "framework/timer.h"
#include "platform/window_system.h"
#include "routine/routine_values.h"
#include "sound/current_sound.h"
#include "sound/loop_timer.h"
#include "sound/media.h"
#include "sound/program_file.h"

namespace somnara::app {

using fw::Component;

namespace {
// Posted by FormCreate, so that it arrives once the backdrop is on the screen.
constexpr uint32_t kStartMusic = fw::WM_USER + 1;
}  // namespace

const fw::ClassInfo& TForm1::StaticClassInfo() {
  static const fw::RegisteredClassInfo info = [] {
    fw::ClassInfo i("TForm1", &fw::Form::StaticClassInfo(),
                    [](Component* owner) { return new TForm1(owner); });
    i.AddHandler("FormCreate", fw::NotifyHandler(&TForm1::FormCreate));
    i.AddHandler("FormShow", fw::NotifyHandler(&TForm1::FormShow));
    i.AddHandler("Timer2Timer", fw::NotifyHandler(&TForm1::Timer2Timer));
    i.AddHandler("Timer3Timer", fw::NotifyHandler(&TForm1::Timer3Timer));
    i.AddHandler("Timer4Timer", fw::NotifyHandler(&TForm1::Timer4Timer));
    return i;
  }();
  return info;
}

TForm1::TForm1(Component* owner) : fw::Form(owner) {}

void TForm1::Loaded() {
  fw::Form::Loaded();
  Label1 = fw::Require<fw::Label>(*this, "Label1");
  Image1 = fw::Require<fw::Image>(*this, "Image1");
  Image2 = fw::Require<fw::Image>(*this, "Image2");
  Bevel1 = fw::Require<fw::Bevel>(*this, "Bevel1");
  Timer2 = fw::Require<fw::Timer>(*this, "Timer2");
  Timer3 = fw::Require<fw::Timer>(*this, "Timer3");
  Timer4 = fw::Require<fw::Timer>(*this, "Timer4");
}

// The window's background brush is the star tile, repeated from the client's corner.
void TForm1::UseTileAsBackground() {
  GetBrush().SetBitmap(std::make_shared<fw::Bitmap>(Image2->GetPicture().Bitmap()));
  Invalidate();
}

void TForm1::FormCreate(Component*) {
  UseTileAsBackground();
  Size screen = fw::App().Windows().ScreenSize();
  SetWidth(screen.width);
  SetHeight(screen.height);
  SetTop(0);
  SetLeft(0);
  // The first frame needs neither the hidden picture nor the music; both follow it, in the
  // same order, from the message loop.
  fw::App().PostMessage(this, kStartMusic);
}

void TForm1::WndProc(fw::Message& message) {
  if (message.msg == kStartMusic) {
    StartMusic();
    return;
  }
  fw::Form::WndProc(message);
}

// A picture that cannot be read leaves the music off; the error reaches the error box.
void TForm1::StartMusic() {
  Image1->GetPicture().LoadFromFile(sound::ProgramFile("\\pend.gif"));
  sound::CurrentSoundPath = sound::ProgramFile("\\sound\\start.mid");
  // A start-up tune that cannot play stays silent: the results are not looked at.
  sound::MediaOpen(sound::kSoundAlias, sound::CurrentSoundPath, sound::kSoundDeviceType);
  sound::MediaSetVolume(sound::kSoundAlias, 100);
  sound::MediaPlay(sound::kSoundAlias);
}

void TForm1::FormShow(Component*) {
  UseTileAsBackground();
}

void TForm1::Timer2Timer(Component*) {
  sound::LoopTimerTick(sound::CurrentSoundPath);
}

void TForm1::Timer3Timer(Component*) {
  Timer3->SetEnabled(false);
  Form2 = new TForm2(this);
  RoutineMainWindow = Form2;
  Form2->AfterConstruction();
  Form2->ShowModal();
}

void TForm1::Timer4Timer(Component*) {
  Label1->SetCaption(fw::App().Windows().GetClock().LongTimeText());
}

void TForm1::ShowPictureAndClock() {
  Image1->SetVisible(true);
  Label1->SetVisible(true);
}

void TForm1::SetSoundLooping(bool on) {
  Timer2->SetEnabled(on);
}

}  // namespace somnara::app
