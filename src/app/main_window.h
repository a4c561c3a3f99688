#pragma once

#include "framework/form.h"

namespace somnara::app {

// The main window. For now it has its caption, size and place, and closing it ends the
// program; its buttons, menu and fade come with the main window's own work.
class TForm2 : public fw::Form {
 public:
  explicit TForm2(fw::Component* owner);
  static const fw::ClassInfo& StaticClassInfo();
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  void FormClose(fw::Component* sender, fw::CloseAction& action);
};

}  // namespace somnara::app
