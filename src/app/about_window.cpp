#include "app/about_window.h"

#include <string>

#include "app/about_icon.h"
#include "app/link_opener.h"
#include "framework/controls/bevel.h"
#include "framework/controls/image.h"
#include "framework/controls/label.h"
#include "framework/resources.h"
#include "skin/controls/tsui_button.h"
#include "skin/frame/tsui_form.h"

namespace somnara::app {

using fw::Component;

namespace {
constexpr char kProgramIcon[] = "generated/somnara.ico";
}  // namespace

const fw::ClassInfo& TForm7::StaticClassInfo() {
  static const fw::RegisteredClassInfo info = [] {
    fw::ClassInfo i("TForm7", &fw::Form::StaticClassInfo(),
                    [](Component* owner) { return new TForm7(owner); });
    i.AddHandler("Label1Click", fw::NotifyHandler(&TForm7::Label1Click));
    i.AddHandler("Label3Click", fw::NotifyHandler(&TForm7::Label3Click));
    i.AddHandler("suitempButton1Click", fw::NotifyHandler(&TForm7::suitempButton1Click));
    i.AddHandler("FormCloseQuery", fw::Handler<fw::CloseQueryEvent>(&TForm7::FormCloseQuery));
    return i;
  }();
  return info;
}

TForm7::TForm7(Component* owner) : fw::Form(owner) {}

void TForm7::Loaded() {
  fw::Form::Loaded();
  suiForm1 = fw::Require<skin::TsuiForm>(*this, "suiForm1");
  Image9 = fw::Require<fw::Image>(*this, "Image9");
  Label2 = fw::Require<fw::Label>(*this, "Label2");
  Label7 = fw::Require<fw::Label>(*this, "Label7");
  Label1 = fw::Require<fw::Label>(*this, "Label1");
  Label3 = fw::Require<fw::Label>(*this, "Label3");
  Label4 = fw::Require<fw::Label>(*this, "Label4");
  Bevel1 = fw::Require<fw::Bevel>(*this, "Bevel1");
  Button1 = fw::Require<skin::TsuiButton>(*this, "Button1");
  // The links show the addresses they open.
  Label1->SetCaption(kHomePageLink);
  Label3->SetCaption(kSupportAddress);
  // The program's icon, its 32-pixel image laid on the window's face.
  fw::ResourceLookup icon = fw::FindResource(kProgramIcon);
  if (!icon.found) throw fw::Exception(std::string("Resource ") + kProgramIcon + " not found");
  Image9->GetPicture().AssignBitmap(OverBackground(DecodeIconImage(icon.bytes, 32), GetColor()));
}

void TForm7::Label1Click(Component*) {
  OpenLink(kHomePageLink);
}

void TForm7::Label3Click(Component*) {
  OpenMailTo(kSupportAddress);
}

void TForm7::suitempButton1Click(Component*) {
  Close();
}

void TForm7::FormCloseQuery(Component*, bool& can_close) {
  can_close = true;
}

}  // namespace somnara::app
