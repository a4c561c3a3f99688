#include "routine/sleep_window.h"

namespace somnara::routine {

const fw::ClassInfo& TForm4::StaticClassInfo() {
  static const fw::ClassInfo info = [] {
    fw::ClassInfo i("TForm4", &fw::Form::StaticClassInfo(),
                    [](fw::Component* owner) { return new TForm4(owner); });
    return i;
  }();
  static const bool registered = (fw::ClassInfo::Register(info), true);
  (void)registered;
  return info;
}

TForm4::TForm4(fw::Component* owner) : fw::Form(owner) {}

}  // namespace somnara::routine
