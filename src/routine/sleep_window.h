#pragma once

#include "framework/form.h"

namespace somnara::routine {

// The sleep window. For now only its window: no border, black, its size and place; the
// music, the countdown and the end of the run come with the sleep phase's own work.
class TForm4 : public fw::Form {
 public:
  explicit TForm4(fw::Component* owner);
  static const fw::ClassInfo& StaticClassInfo();
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }
};

}  // namespace somnara::routine
