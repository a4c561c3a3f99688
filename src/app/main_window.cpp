#include "app/main_window.h"

#include "framework/application.h"

namespace somnara::app {

const fw::ClassInfo& TForm2::StaticClassInfo() {
  static const fw::ClassInfo info = [] {
    fw::ClassInfo i("TForm2", &fw::Form::StaticClassInfo(),
                    [](fw::Component* owner) { return new TForm2(owner); });
    i.AddHandler("FormClose", fw::Handler<fw::CloseEvent>(&TForm2::FormClose));
    return i;
  }();
  static const bool registered = (fw::ClassInfo::Register(info), true);
  (void)registered;
  return info;
}

TForm2::TForm2(fw::Component* owner) : fw::Form(owner) {}

void TForm2::FormClose(fw::Component*, fw::CloseAction&) { fw::App().Terminate(); }

}  // namespace somnara::app
