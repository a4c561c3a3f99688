#include "routine/sleep_window.h"

#include "framework/application.h"
#include "framework/controls/label.h"
#include "framework/exceptions.h"
#include "framework/messages.h"
#include "framework/resources.h"
#include "framework/timer.h"
#include "platform/platform.h"
#include "platform/power_service.h"
#include "power/finish_command.h"
#include "routine/program_windows.h"
#include "routine/routine_values.h"
#include "routine/window_fade.h"
#include "settings/settings.h"
#include "skin/controls/tsui_button.h"
#include "sound/current_sound.h"
#include "sound/media.h"
#include "sound/sound_catalogue.h"

namespace somnara::routine {

using fw::Component;

namespace {
constexpr int kFadeInStop = 155;
// From here on the volume falls, one hundredth of full scale a second.
constexpr int32_t kFadeOutSeconds = 100;
// The program ends on the sixth tick after the one that reached 0.
constexpr int32_t kLastSecond = -5;
// WM_SYSCOMMAND / SC_MONITORPOWER argument: display off.
constexpr intptr_t kMonitorOff = 2;

constexpr char kGoodNight[] = "Somnara has been finished. Good night...";
constexpr char kInhibitorWho[] = "Somnara";
constexpr char kInhibitorWhy[] = "Playing the sleep sound until the chosen end of the night";
}  // namespace

int32_t MinutesToSeconds(int32_t minutes) {
  // A wrapped product would turn a huge play time into a short night (or a negative one
  // into decades); the nearest 32-bit value keeps its meaning.
  int64_t seconds = int64_t{minutes} * 60;
  if (seconds > INT32_MAX) return INT32_MAX;
  if (seconds < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(seconds);
}

int32_t StrictTextToInt(const std::string& text) {
  auto fail = [&text]() { return fw::ConvertError("'" + text + "' is not a valid integer value"); };
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) throw fail();
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c < '0' || c > '9') throw fail();
    value = value * 10 + (c - '0');
    if (value > int64_t{INT32_MAX} + 1) throw fail();
  }
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) throw fail();
  return static_cast<int32_t>(value);
}

const fw::ClassInfo& TForm4::StaticClassInfo() {
  static const fw::RegisteredClassInfo info = [] {
    fw::ClassInfo i("TForm4", &fw::Form::StaticClassInfo(),
                    [](Component* owner) { return new TForm4(owner); });
    i.AddHandler("FormCreate", fw::NotifyHandler(&TForm4::FormCreate));
    i.AddHandler("Timer1Timer", fw::NotifyHandler(&TForm4::Timer1Timer));
    i.AddHandler("Timer2Timer", fw::NotifyHandler(&TForm4::Timer2Timer));
    i.AddHandler("Timer3Timer", fw::NotifyHandler(&TForm4::Timer3Timer));
    i.AddHandler("Timer4Timer", fw::NotifyHandler(&TForm4::Timer4Timer));
    i.AddHandler("foutTimer", fw::NotifyHandler(&TForm4::foutTimer));
    i.AddHandler("totalTimer", fw::NotifyHandler(&TForm4::totalTimer));
    i.AddHandler("suiButton1Click", fw::NotifyHandler(&TForm4::suiButton1Click));
    return i;
  }();
  return info;
}

TForm4::TForm4(Component* owner) : fw::Form(owner) {}

TForm4::~TForm4() = default;

void TForm4::Loaded() {
  fw::Form::Loaded();
  Label1 = fw::Require<fw::Label>(*this, "Label1");
  suiButton1 = fw::Require<skin::TsuiButton>(*this, "suiButton1");
  Timer1 = fw::Require<fw::Timer>(*this, "Timer1");
  Timer2 = fw::Require<fw::Timer>(*this, "Timer2");
  Timer3 = fw::Require<fw::Timer>(*this, "Timer3");
  Timer4 = fw::Require<fw::Timer>(*this, "Timer4");
  fout = fw::Require<fw::Timer>(*this, "fout");
  total = fw::Require<fw::Timer>(*this, "total");
}

// A play time that is not a whole number stops the reading at once; the values read so
// far by nobody keep what they had, and the window still opens.
void TForm4::FormCreate(Component*) {
  if (platform::PowerService* power = platform::Current().power) {
    idle_inhibitor_ = power->InhibitIdle(kInhibitorWho, kInhibitorWhy);
  }
  settings::Settings options(settings::SettingsFilePath());
  SecondsLeft = MinutesToSeconds(StrictTextToInt(options.Read(settings::kPlayMinutes)));
  FadeOutEnabled = options.Read(settings::kFadeOut);
  FinishCommand = options.Read(settings::kFinishCommand);
  MusicIndex = options.Read(settings::kMusic);
}

// A blocking send to the program's own top-level window; its default handling asks the
// window system to switch the display off.
void TForm4::Timer1Timer(Component*) {
  if (fw::Form* main = fw::App().MainForm()) {
    main->Perform(fw::WM_SYSCOMMAND, fw::SC_MONITORPOWER, kMonitorOff);
  }
}

// A sound that cannot be played leaves the night silent; the results are not looked at.
void TForm4::Timer2Timer(Component*) {
  std::string path = sound::SoundCatalogue::FullPath(MusicIndex);
  sound::MediaCloseAll();
  sound::CurrentSoundPath = path;
  sound::MediaOpen(sound::kSoundAlias, sound::CurrentSoundPath, sound::kSoundDeviceType);
  sound::MediaPlay(sound::kSoundAlias);
  if (RoutineBackdrop != nullptr) RoutineBackdrop->SetSoundLooping(true);
  total->SetEnabled(true);
  Timer2->SetEnabled(false);
  // Every window of the run is made and drawn by now: the built-in pictures need not stay in
  // memory all night.
  fw::ReleaseBuiltInResourcePages();
}

void TForm4::Timer3Timer(Component*) {
  FadeInTick(*this, *Timer3, kFadeInStop);
}

void TForm4::Timer4Timer(Component*) {
  Timer3->SetEnabled(true);
  Timer4->SetEnabled(false);
}

// Also reached after the sound has reached its end and the backdrop has opened it again at
// full volume: the level is simply set again.
void TForm4::foutTimer(Component*) {
  sound::MediaSetVolume(sound::kSoundAlias, SecondsLeft);
  if (sound::MediaGetVolume(sound::kSoundAlias) == 0) fout->SetEnabled(false);
}

// Never switched off: after the end it keeps ticking, also after a return from stand-by
// or hibernation, until the sixth tick ends the program.
void TForm4::totalTimer(Component*) {
  // A play time held at the lowest value stays there rather than overflowing to the
  // highest: it is already far below the end, and the run ends on this tick.
  if (SecondsLeft > INT32_MIN) --SecondsLeft;
  if (SecondsLeft == kFadeOutSeconds && FadeOutEnabled) fout->SetEnabled(true);
  if (SecondsLeft == 0) {
    sound::MediaCloseAll();
    Timer1->SetEnabled(false);
    if (RoutineBackdrop != nullptr) RoutineBackdrop->SetSoundLooping(false);
    Label1->SetCaption(kGoodNight);
    // Released first: an inhibitor still held would be in the way of the command.
    ReleaseIdleInhibitor();
    power::CarryOutFinishCommand(FinishCommand);
  }
  if (SecondsLeft < kLastSecond) EndProgram();
}

void TForm4::suiButton1Click(Component*) {
  EndProgram();
}

void TForm4::ReleaseIdleInhibitor() {
  idle_inhibitor_.reset();
}

void TForm4::EndProgram() {
  ReleaseIdleInhibitor();
  fw::App().Terminate();
}

}  // namespace somnara::routine
