#pragma once

#include "skin/controls/tsui_custom_group_box.h"

namespace somnara::skin {

// The group box as windows place it: publishes its border colour besides the style.
class TsuiGroupBox : public TsuiCustomGroupBox {
 public:
  explicit TsuiGroupBox(fw::Component* owner) : TsuiCustomGroupBox(owner) {}
  static const fw::ClassInfo& StaticClassInfo();
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }
};

}  // namespace somnara::skin
