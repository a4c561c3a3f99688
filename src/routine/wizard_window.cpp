#include "routine/wizard_window.h"

#include "framework/controls/check_box.h"
#include "framework/controls/combo_box.h"
#include "framework/controls/edit.h"
#include "framework/controls/image.h"
#include "framework/controls/label.h"
#include "framework/controls/memo.h"
#include "framework/controls/speed_button.h"
#include "framework/timer.h"
#include "routine/focus_window.h"
#include "routine/program_windows.h"
#include "routine/routine_values.h"
#include "routine/window_fade.h"
#include "settings/settings.h"
#include "skin/controls/tsui_button.h"
#include "skin/controls/tsui_group_box.h"
#include "skin/controls/tsui_track_bar.h"
#include "skin/frame/tsui_form.h"
#include "sound/test_playback.h"
#include "sound/volume_control.h"

namespace somnara::routine {

using fw::Component;

namespace {
constexpr int kFadeInStop = 210;
constexpr char kTestSoundCaption[] = "Test Sound";
constexpr char kStopCaption[] = "Stop";

// A stored index outside the list leaves it with nothing chosen and nothing in its text.
void ShowIndex(fw::ComboBox& list, int index) {
  list.SetItemIndex(index);
  if (list.ItemIndex() < 0) list.SetText("");
}
}  // namespace

const fw::ClassInfo& TForm3::StaticClassInfo() {
  static const fw::RegisteredClassInfo info = [] {
    fw::ClassInfo i("TForm3", &fw::Form::StaticClassInfo(),
                    [](Component* owner) { return new TForm3(owner); });
    i.AddHandler("FormShow", fw::NotifyHandler(&TForm3::FormShow));
    i.AddHandler("FormClose", fw::Handler<fw::CloseEvent>(&TForm3::FormClose));
    i.AddHandler("suiButton4Click", fw::NotifyHandler(&TForm3::suiButton4Click));
    i.AddHandler("suiButton5Click", fw::NotifyHandler(&TForm3::suiButton5Click));
    i.AddHandler("suiButton1Click", fw::NotifyHandler(&TForm3::suiButton1Click));
    i.AddHandler("suiButton2Click", fw::NotifyHandler(&TForm3::suiButton2Click));
    i.AddHandler("suiButton3Click", fw::NotifyHandler(&TForm3::suiButton3Click));
    i.AddHandler("ComboBox1Change", fw::NotifyHandler(&TForm3::ComboBox1Change));
    i.AddHandler("speedbutton1MouseDown",
                 fw::Handler<fw::MouseEvent>(&TForm3::speedbutton1MouseDown));
    i.AddHandler("bb1Change", fw::NotifyHandler(&TForm3::bb1Change));
    i.AddHandler("bb1MouseUp", fw::Handler<fw::MouseEvent>(&TForm3::bb1MouseUp));
    i.AddHandler("Timer1Timer", fw::NotifyHandler(&TForm3::Timer1Timer));
    i.AddHandler("Timer2Timer", fw::NotifyHandler(&TForm3::Timer2Timer));
    return i;
  }();
  return info;
}

TForm3::TForm3(Component* owner) : fw::Form(owner) {}

void TForm3::Loaded() {
  fw::Form::Loaded();
  suiForm1 = fw::Require<skin::TsuiForm>(*this, "suiForm1");
  gb = fw::Require<skin::TsuiGroupBox>(*this, "gb");
  gb1 = fw::Require<skin::TsuiGroupBox>(*this, "gb1");
  gb2 = fw::Require<skin::TsuiGroupBox>(*this, "gb2");
  gb3 = fw::Require<skin::TsuiGroupBox>(*this, "gb3");
  lbl4 = fw::Require<fw::Label>(*this, "lbl4");
  lbl5 = fw::Require<fw::Label>(*this, "lbl5");
  lbl6 = fw::Require<fw::Label>(*this, "lbl6");
  suiButton4 = fw::Require<skin::TsuiButton>(*this, "suiButton4");
  suiButton5 = fw::Require<skin::TsuiButton>(*this, "suiButton5");
  Memo1 = fw::Require<fw::Memo>(*this, "Memo1");
  Image1 = fw::Require<fw::Image>(*this, "Image1");
  suiButton1 = fw::Require<skin::TsuiButton>(*this, "suiButton1");
  Memo2 = fw::Require<fw::Memo>(*this, "Memo2");
  lbl1 = fw::Require<fw::Label>(*this, "lbl1");
  ComboBox1 = fw::Require<fw::ComboBox>(*this, "ComboBox1");
  lbl2 = fw::Require<fw::Label>(*this, "lbl2");
  bb1 = fw::Require<skin::TsuiTrackBar>(*this, "bb1");
  speedbutton1 = fw::Require<fw::SpeedButton>(*this, "speedbutton1");
  suiButton2 = fw::Require<skin::TsuiButton>(*this, "suiButton2");
  Memo3 = fw::Require<fw::Memo>(*this, "Memo3");
  Label1 = fw::Require<fw::Label>(*this, "Label1");
  Edit1 = fw::Require<fw::Edit>(*this, "Edit1");
  Label2 = fw::Require<fw::Label>(*this, "Label2");
  CheckBox1 = fw::Require<fw::CheckBox>(*this, "CheckBox1");
  Label3 = fw::Require<fw::Label>(*this, "Label3");
  ComboBox2 = fw::Require<fw::ComboBox>(*this, "ComboBox2");
  suiButton3 = fw::Require<skin::TsuiButton>(*this, "suiButton3");
  Timer1 = fw::Require<fw::Timer>(*this, "Timer1");
  Timer2 = fw::Require<fw::Timer>(*this, "Timer2");
}

// The track bar follows the system volume, not the settings file: moving it to the volume
// found writes that position back to both channels (through bb1Change).
void TForm3::FormShow(Component*) {
  int position = 0;
  if (sound::ReadSystemVolumePosition(&position)) bb1->SetPosition(position);
  settings::Settings options(settings::SettingsFilePath());
  Edit1->SetText(options.Read(settings::kProposedPlayMinutes));
  CheckBox1->SetChecked(options.Read(settings::kFadeOut));
  ShowIndex(*ComboBox2, options.Read(settings::kFinishCommand));
  ShowIndex(*ComboBox1, options.Read(settings::kMusic));
}

// The main window hid itself for the wizard and comes back. A test playback goes on.
void TForm3::FormClose(Component*, fw::CloseAction&) {
  if (RoutineMainWindow != nullptr) RoutineMainWindow->ShowAfterWizard();
}

void TForm3::ShowPage(skin::TsuiGroupBox* page) {
  for (skin::TsuiGroupBox* g : {gb, gb1, gb2, gb3}) g->SetVisible(g == page);
}

void TForm3::EndTestPlayback() {
  sound::StopTestPlayback();
  speedbutton1->SetDown(false);
  speedbutton1->SetCaption(kTestSoundCaption);
}

void TForm3::suiButton4Click(Component*) {
  ShowPage(gb1);
}

void TForm3::suiButton5Click(Component*) {
  Close();
}

void TForm3::suiButton1Click(Component*) {
  ShowPage(gb2);
}

// A write that fails raises "Unable to write to ..." and ends the handler here, so the page
// stays and the test playback goes on.
void TForm3::suiButton2Click(Component*) {
  settings::Settings options(settings::SettingsFilePath());
  options.Write(settings::kMusic, ComboBox1->ItemIndex());
  options.Write(settings::kVolume, bb1->Position());
  ShowPage(gb3);
  EndTestPlayback();
}

// The minutes are kept as typed; the sleep window makes sense of them.
void TForm3::suiButton3Click(Component*) {
  settings::Settings options(settings::SettingsFilePath());
  options.Write(settings::kPlayMinutes, Edit1->Text());
  options.Write(settings::kFadeOut, CheckBox1->Checked());
  options.Write(settings::kFinishCommand, ComboBox2->ItemIndex());
  Timer2->SetEnabled(true);
}

void TForm3::ComboBox1Change(Component*) {
  EndTestPlayback();
}

// Acted on as the mouse button goes down, by the latch state before the press; the latch
// itself moves when the click completes.
void TForm3::speedbutton1MouseDown(Component*, fw::MouseButton button, unsigned, int, int) {
  if (button != fw::MouseButton::kLeft) return;
  if (speedbutton1->Down()) {
    sound::StopTestPlayback();
    speedbutton1->SetCaption(kTestSoundCaption);
  } else {
    sound::StartTestPlayback(ComboBox1->ItemIndex());
    speedbutton1->SetCaption(kStopCaption);
  }
}

void TForm3::bb1Change(Component*) {
  sound::WriteSystemVolumePosition(bb1->Position());
}

void TForm3::bb1MouseUp(Component*, fw::MouseButton, unsigned, int, int) {
  sound::DefaultBeep();
}

void TForm3::Timer1Timer(Component*) {
  FadeInTick(*this, *Timer1, kFadeInStop);
}

// The focus step runs inside this tick; when its window is done, the wizard stays hidden.
void TForm3::Timer2Timer(Component*) {
  FadeOutTick(*this, *Timer2, [this] {
    Form5 = new TForm5(this);
    Form5->AfterConstruction();
    Form5->ShowModal();
    Hide();
  });
}

}  // namespace somnara::routine
