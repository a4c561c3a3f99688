#include "skin/controls/tsui_group_box.h"

namespace somnara::skin {

const fw::ClassInfo& TsuiGroupBox::StaticClassInfo() {
  using T = TsuiCustomGroupBox;
  static const fw::RegisteredClassInfo info = [] {
    fw::ClassInfo i("TsuiGroupBox", &TsuiCustomGroupBox::StaticClassInfo(),
                    [](fw::Component* o) { return new TsuiGroupBox(o); });
    i.Add(fw::ColorProperty<T>("BorderColor", &T::BorderColor, &T::SetBorderColor));
    return i;
  }();
  return info;
}

}  // namespace somnara::skin
