#include "app/main_window.h"

#include "app/about_window.h"
#include "app/backdrop_window.h"
#include "app/link_opener.h"
#include "app/program_values.h"
#include "framework/application.h"
#include "framework/controls/image.h"
#include "framework/controls/menu_item.h"
#include "framework/controls/popup_menu.h"
#include "framework/timer.h"
#include "routine/routine_values.h"
#include "routine/window_fade.h"
#include "routine/wizard_window.h"
#include "skin/controls/tsui_button.h"
#include "skin/frame/tsui_form.h"
#include "sound/media.h"
#include "sound/program_file.h"

namespace somnara::app {

using fw::Component;

const fw::ClassInfo& TForm2::StaticClassInfo() {
  static const fw::RegisteredClassInfo info = [] {
    fw::ClassInfo i("TForm2", &fw::Form::StaticClassInfo(),
                    [](Component* owner) { return new TForm2(owner); });
    i.AddHandler("Timer1Timer", fw::NotifyHandler(&TForm2::Timer1Timer));
    i.AddHandler("suiButton1Click", fw::NotifyHandler(&TForm2::suiButton1Click));
    i.AddHandler("suiButton2Click", fw::NotifyHandler(&TForm2::suiButton2Click));
    i.AddHandler("MSortByNameClick", fw::NotifyHandler(&TForm2::MSortByNameClick));
    i.AddHandler("MResetClick", fw::NotifyHandler(&TForm2::MResetClick));
    i.AddHandler("MSortByDateClick", fw::NotifyHandler(&TForm2::MSortByDateClick));
    i.AddHandler("MAddImagesClick", fw::NotifyHandler(&TForm2::MAddImagesClick));
    i.AddHandler("Exit1Click", fw::NotifyHandler(&TForm2::Exit1Click));
    i.AddHandler("FormClose", fw::Handler<fw::CloseEvent>(&TForm2::FormClose));
    return i;
  }();
  return info;
}

TForm2::TForm2(Component* owner) : fw::Form(owner) {}

void TForm2::Loaded() {
  fw::Form::Loaded();
  suiForm1 = fw::Require<skin::TsuiForm>(*this, "suiForm1");
  Image1 = fw::Require<fw::Image>(*this, "Image1");
  Image2 = fw::Require<fw::Image>(*this, "Image2");
  suiButton1 = fw::Require<skin::TsuiButton>(*this, "suiButton1");
  suiButton2 = fw::Require<skin::TsuiButton>(*this, "suiButton2");
  Timer1 = fw::Require<fw::Timer>(*this, "Timer1");
  ImageMenu = fw::Require<fw::PopupMenu>(*this, "ImageMenu");
  MShowPreview = fw::Require<fw::MenuItem>(*this, "MShowPreview");
  N4 = fw::Require<fw::MenuItem>(*this, "N4");
  MSortByName = fw::Require<fw::MenuItem>(*this, "MSortByName");
  MReset = fw::Require<fw::MenuItem>(*this, "MReset");
  N1 = fw::Require<fw::MenuItem>(*this, "N1");
  About1 = fw::Require<fw::MenuItem>(*this, "About1");
  N2 = fw::Require<fw::MenuItem>(*this, "N2");
  MAddImages = fw::Require<fw::MenuItem>(*this, "MAddImages");
  N3 = fw::Require<fw::MenuItem>(*this, "N3");
  Exit1 = fw::Require<fw::MenuItem>(*this, "Exit1");
}

void TForm2::Timer1Timer(Component*) {
  routine::FadeInTick(*this, *Timer1, 255);
}

// Hands over to a fresh wizard; the wizard reads its settings itself and brings this window
// back when it is closed.
void TForm2::suiButton1Click(Component*) {
  if (Form1 != nullptr) Form1->SetSoundLooping(false);
  // Stopped, not closed: the tune's device stays open until somebody closes all.
  sound::MediaStop(sound::kSoundAlias);
  Hide();
  Form3 = new routine::TForm3(this);
  Form3->AfterConstruction();
  Form3->ShowModal();
}

// The menu drops from the button's bottom-left corner.
void TForm2::suiButton2Click(Component*) {
  Point corner = suiButton2->ClientToScreen({0, suiButton2->Height()});
  ImageMenu->Popup(corner.x, corner.y);
}

void TForm2::MSortByNameClick(Component*) {
  OpenLink(sound::ProgramFile("\\help\\help.html"));
}

void TForm2::MResetClick(Component*) {
  OpenLink(kHomePageAddress);
}

void TForm2::MSortByDateClick(Component*) {
  Form7 = new TForm7(this);
  Form7->AfterConstruction();
  Form7->ShowModal();
}

void TForm2::MAddImagesClick(Component*) {
  OpenMailTo(kSupportAddress);
}

void TForm2::Exit1Click(Component*) {
  Close();
}

void TForm2::FormClose(Component*, fw::CloseAction&) {
  fw::App().Terminate();
}

void TForm2::ShowAfterWizard() {
  Show();
}

}  // namespace somnara::app
